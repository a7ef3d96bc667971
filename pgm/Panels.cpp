#include "pgm/TForm1.h"

#include "pgm/DimmingEngines.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new DimmingEngine1(*this);
    new DimmingEngine2(*this);
}

} // namespace nolt
