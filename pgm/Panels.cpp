#include "pgm/TForm1.h"

#include "pgm/StickMode.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new StickMode(*this); // owned by the window; log box and debug pane
}

} // namespace nolt
