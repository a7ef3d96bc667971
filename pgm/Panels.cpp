#include "pgm/TForm1.h"

#include "pgm/BlockTimePanel.h"
#include "pgm/DimmingCurvePanel.h"
#include "pgm/OutputPanel.h"
#include "pgm/PowerOnPanel.h"
#include "pgm/RelayPanel.h"
#include "pgm/ThermalPanel.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new BlockTimePanel(*this);
    new PowerOnPanel(*this);
    new ThermalPanel(*this);
    auto* output = new OutputPanel(*this);
    new RelayPanel(*this);
    new DimmingCurvePanel(*this, *output);
}

} // namespace nolt
