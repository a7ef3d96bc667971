#include "pgm/kit/SliderStrip.h"

namespace nolt {

SliderStrip::SliderStrip(QWidget* parent, const char* stripName, const char* sliderName, int left, int top,
                         const char* comboName)
    : QFrame(parent)
{
    const bool wide = comboName != nullptr;
    place(this, stripName, left, top, wide ? 313 : 205, 34);
    setBackground(this, bgr(clTeal));
    slider_ = place(new ScrollBar(this), sliderName, 8, 12, wide ? 212 : 190, 10);
    connect(slider_, &QScrollBar::valueChanged, this, &SliderStrip::sliderChanged);
    if (wide) {
        combo_ = place(new QComboBox(this), comboName, 226, 6, 82, 22);
        combo_->setCursor(Qt::PointingHandCursor);
        // The range texts ("-> 15:00:00") fill the narrow box: a slim arrow
        // and little padding leave them room.
        combo_->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 3px; }"
                                             "QComboBox::drop-down { width: 12px; }"));
        combo_->hide();
        connect(combo_, &QComboBox::activated, this, &SliderStrip::rangeChosen);
    }
    hide();
}

void SliderStrip::close()
{
    hide();
    if (combo_)
        combo_->hide();
}

} // namespace nolt
