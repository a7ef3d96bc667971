#include "pgm/TForm1.h"

#include "pgm/DimmingEngines.h"
#include "pgm/MffPanel.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new MffPanel(*this);
    new DimmingEngine1(*this);
    new DimmingEngine2(*this);

    // ISD calculators (need the ISD panel)
    // For the lead: once IsdPanel is on main, include "pgm/IsdOffsetCalculator.h"
    // and "pgm/NightLengthCalculator.h" and create both after the ISD panel,
    // so that they lie above it, with the ISD panel as their target:
    //   new IsdOffsetCalculator(*this, *isdPanel);
    //   new NightLengthCalculator(*this, *isdPanel);
}

} // namespace nolt
