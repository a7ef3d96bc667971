#include "pgm/TForm1.h"

#include "pgm/MffPanel.h"
#include "pgm/StickMode.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new MffPanel(*this);
    new StickMode(*this); // log box and debug pane
}

} // namespace nolt
