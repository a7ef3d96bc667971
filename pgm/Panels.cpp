#include "pgm/TForm1.h"

#include "pgm/FileButtons.h"
#include "pgm/SlotRow.h"
#include "pgm/TransferButtons.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
    new SlotRow(*this);         // bottom strip: memory slots, "Cancel", "Default"
    new TransferButtons(*this); // bottom strip: "Transfer", "Erase ALL"
    new FileButtons(*this);     // bottom strip: "Save", "Load", built-in firmware
}

} // namespace nolt
