#pragma once
// The chosen dimming curve undone on the level bytes of the image after a
// configuration was read from a slot (or a curve was accepted), so that the
// editors show the levels as they were before the mapping.

namespace nolt {

class TForm1;

// Nothing unless the output panel's curve box is ticked and a curve is
// chosen; nothing in a DALI mode. Otherwise the levels are mapped back and
// dcApplied is set.
void invCorrectDC(TForm1& form);

} // namespace nolt
