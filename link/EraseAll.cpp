#include "link/EraseAll.h"

#include "link/AppState.h"
#include "link/Confirm.h"
#include "link/DriverLink.h"

namespace nolt {

void bEraseClick(AppState& state, DriverLink& link, Platform& platform)
{
    if (state.formDisabled)
        return;
    if (!link.checkHID()) {
        platform.showMessage(usbErrorMessage());
        return;
    }
    if (!confirmAction(platform))
        return;
    // Nothing is read back: the new instance sees what the device holds.
    link.sendEraseAll();
    platform.restartProgram(state.sw.cmdLineArgs);
}

} // namespace nolt
