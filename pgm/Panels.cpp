#include "pgm/TForm1.h"

#include "pgm/IsdPanel.h"
#include "pgm/LstPanel.h"
#include "pgm/RemotePanel.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    auto* lstPanel = new LstPanel(*this);
    // The ISD calculators open over isdPanel and are created after it.
    auto* isdPanel = new IsdPanel(*this);
    new RemotePanel(*this, *lstPanel, *isdPanel);
}

} // namespace nolt
