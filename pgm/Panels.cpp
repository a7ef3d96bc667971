#include "pgm/TForm1.h"

#include "pgm/BlockTimePanel.h"
#include "pgm/DimmingCurvePanel.h"
#include "pgm/DimmingEngines.h"
#include "pgm/FileButtons.h"
#include "pgm/IsdOffsetCalculator.h"
#include "pgm/IsdPanel.h"
#include "pgm/LstPanel.h"
#include "pgm/MffPanel.h"
#include "pgm/NightLengthCalculator.h"
#include "pgm/OutputPanel.h"
#include "pgm/PowerOnPanel.h"
#include "pgm/RelayPanel.h"
#include "pgm/RemotePanel.h"
#include "pgm/SlotRow.h"
#include "pgm/StickMode.h"
#include "pgm/ThermalPanel.h"
#include "pgm/TransferButtons.h"

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
    new BlockTimePanel(*this);
    new PowerOnPanel(*this);
    new ThermalPanel(*this);
    auto* output = new OutputPanel(*this);
    new RelayPanel(*this);
    // The curve chooser covers the whole window.
    new DimmingCurvePanel(*this, *output);
    new StickMode(*this); // log box and debug pane
    new SlotRow(*this);         // bottom strip: memory slots, "Cancel", "Default"
    new TransferButtons(*this); // bottom strip: "Transfer", "Erase ALL"
    new FileButtons(*this);     // bottom strip: "Save", "Load", built-in firmware
}

} // namespace nolt
