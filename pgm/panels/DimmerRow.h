#pragma once
// One step row of a dimming-engine editor: a group box holding the first
// field (time of day or delay), the fade speed, the level and the two relay
// buttons, with the step's delete box beside it.

#include "pgm/kit/Widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

#include <array>

namespace nolt {

// The controls of one step row. Owns nothing.
struct TBox {
    ClickEdit* _delay = nullptr; // engine 1: the time of day
    ClickEdit* _fade = nullptr;
    ClickEdit* _level = nullptr;
    QRadioButton* _on = nullptr;
    QRadioButton* _off = nullptr;
    QGroupBox* _gb = nullptr;
    QCheckBox* _delete = nullptr; // none for step 1
};

// Names and places of the rows of one editor. A control's name is its
// prefix followed by the step number.
struct RowDesign {
    const char* group;       // group boxes
    const char* first;       // first field: time of day or delay
    const char* firstLabel;  // the text before the first field
    const char* fade;
    const char* level;
    const char* on;
    const char* off;
    const char* remove;      // delete boxes, steps 2..10
    const char* firstCaption; // caption of row 1; the others show their number
    std::array<int, 10> groupTops;
    int groupHeight;
    int firstLeft;
    int fadeLeft;
    int onTop;
    int offTop;
    std::array<int, 9> removeTops; // steps 2..10
    int firstRemoveLeft;           // step 2's box; the others stand at 16
};

// Creates the controls of row `step` (1..10) on the panel.
TBox makeRow(QWidget* panel, const RowDesign& design, int step);

// The tag of a control: the step number of its row.
int tagOf(const QObject* control);
void setTag(QObject* control, int tag);

} // namespace nolt
