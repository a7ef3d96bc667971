#include "pgm/window/TForm1.h"

#include "pgm/panels/BlockTimePanel.h"
#include "pgm/panels/DimmingCurvePanel.h"
#include "pgm/panels/DimmingEngines.h"
#include "pgm/panels/IsdOffsetCalculator.h"
#include "pgm/panels/IsdPanel.h"
#include "pgm/panels/LstPanel.h"
#include "pgm/panels/MffPanel.h"
#include "pgm/panels/NightLengthCalculator.h"
#include "pgm/panels/OutputPanel.h"
#include "pgm/panels/PowerOnPanel.h"
#include "pgm/panels/RelayPanel.h"
#include "pgm/panels/RemotePanel.h"
#include "pgm/panels/ThermalPanel.h"
#include "pgm/window/FileButtons.h"
#include "pgm/window/SlotRow.h"
#include "pgm/window/StickMode.h"
#include "pgm/window/TransferButtons.h"

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
