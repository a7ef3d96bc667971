#include "pgm/TForm1.h"

#include "pgm/DimmingEngines.h"
#include "pgm/IsdOffsetCalculator.h"
#include "pgm/IsdPanel.h"
#include "pgm/LstPanel.h"
#include "pgm/MffPanel.h"
#include "pgm/NightLengthCalculator.h"
#include "pgm/RemotePanel.h"
#include "pgm/StickMode.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new MffPanel(*this);
    new DimmingEngine1(*this);
    new DimmingEngine2(*this);
    auto* lstPanel = new LstPanel(*this);
    auto* isdPanel = new IsdPanel(*this);
    // The calculators open over the ISD panel.
    new IsdOffsetCalculator(*this, *isdPanel);
    new NightLengthCalculator(*this, *isdPanel);
    new RemotePanel(*this, *lstPanel, *isdPanel);
    new StickMode(*this); // log box and debug pane
}

} // namespace nolt
