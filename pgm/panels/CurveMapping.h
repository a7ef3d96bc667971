#pragma once
// When the chosen dimming curve is undone on the image's level bytes. The
// mapping itself is correctDC / invCorrectDC (image/DimmingCurve.h); these
// add the conditions tied to the curve box of the output panel.

namespace nolt {

class PanelHost;

// After a memory slot was read, and by the curve chooser's OK: maps the
// level bytes of the image back through the chosen curve when the curve box
// is ticked, a curve is chosen (dcIndex not -1) and the output is not a
// DALI mode; dcApplied is set only when the levels were mapped.
void invCorrectDCIfChosen(PanelHost& form);

// Back to the slot choice: no curve any more. dcIndex -1, the curve box
// unticked (which drops the curve), dcApplied cleared.
void dropCurveChoice(PanelHost& form);

} // namespace nolt
