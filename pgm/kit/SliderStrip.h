#pragma once
// The teal strip that opens under a panel when one of its value edits is
// clicked: a slider and, for durations, a range selector.

#include "pgm/kit/Widgets.h"

#include <QComboBox>
#include <QFrame>

namespace nolt {

class SliderStrip : public QFrame {
    Q_OBJECT
public:
    // A narrow strip (205 x 34, slider 190 wide) without range selector, or
    // a wide one (313 x 34, slider 212 wide) with the range selector named
    // comboName at its right.
    SliderStrip(QWidget* parent, const char* stripName, const char* sliderName, int left, int top,
                const char* comboName = nullptr);

    ScrollBar* slider() const { return slider_; }
    QComboBox* combo() const { return combo_; }

    // Hides the strip and its range selector.
    void close();

signals:
    // Every real change of the slider's position, by the user or the program.
    void sliderChanged(int position);
    // The user picked an item of the range selector.
    void rangeChosen(int index);

private:
    ScrollBar* slider_;
    QComboBox* combo_ = nullptr;
};

} // namespace nolt
