#include "pgm/TForm1.h"

namespace nolt {

// Creates the pop-up panels in stacking order, above the main screen.
void TForm1::createPanels()
{
}

} // namespace nolt
