#pragma once
// The shared editor behind a panel's delay, fade and level edits: one slider
// and one range selector serve the three fields. The slider's tag (its
// "editKind" property) keeps which field it edits in its low four bits.

#include "pgm/kit/Widgets.h"

#include <QComboBox>

namespace nolt {

enum EditKind { kindLevel = 1, kindTime = 2, kindFade = 3, kindTimeOfDay = 4 };

// The three edits one slider serves; any may be null when a panel has no
// such field.
struct EditGroup {
    ClickEdit* delay = nullptr;
    ClickEdit* fade = nullptr;
    ClickEdit* level = nullptr;
};

// The tag of a slider: kind in the low four bits, anything above is the
// caller's (the dimming-engine editors keep the step number there).
int sliderTag(const ScrollBar* slider);
void setSliderTag(ScrollBar* slider, int tag);
inline int sliderKind(const ScrollBar* slider) { return sliderTag(slider) & 15; }

// Step of each range (item index 0..3) of a duration kind.
int rangeStep(int kind, int index);

// Prepares slider and range selector for the clicked edit; minLevel is the
// lower bound of levels. Opening never changes the value (see openSlider).
void clickEdit(int tag, const EditGroup& edits, QComboBox* combo, ScrollBar* slider, int minLevel);
// Writes the slider's position into the edit it serves.
void sliderChange(const EditGroup& edits, QComboBox* combo, ScrollBar* slider);
// Moves the edited value into the range just chosen, rounding to its step.
void comboChange(const EditGroup& edits, QComboBox* combo, ScrollBar* slider);
// Opens the slider on a field: its range, and the position kept within it,
// without running the change handler. A click alone thus never changes a
// value, not even one that the slider cannot show (between two steps,
// beyond either end): the field keeps its text, and the buttons beside it
// their state, until the slider is moved or a range is chosen.
void openSlider(ScrollBar* slider, int position, int minimum, int maximum);
// Opens the slider (0..60) and range selector on the duration x of kind 2
// or 3, as openSlider does; other kinds do nothing.
void initSlider(int x, int kind, QComboBox* combo, ScrollBar* slider);
// Range index for a duration: 0 below 60, 1 below 600, 2 below 3600, else 3.
int rangeIndex(int x);

} // namespace nolt
