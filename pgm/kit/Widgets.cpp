#include "pgm/kit/Widgets.h"

#include <QMouseEvent>
#include <QPalette>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>

namespace nolt {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit pressed();
    QLabel::mousePressEvent(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        emit released();
        if (rect().contains(e->position().toPoint()))
            emit clicked();
    }
    QLabel::mouseReleaseEvent(e);
}

ClickEdit::ClickEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setCursor(Qt::PointingHandCursor);
}

void ClickEdit::setEdited(bool edited)
{
    edited_ = edited;
    // Only the enabled look changes: a disabled edit keeps the disabled
    // text colour it inherits, whatever its state when this was called.
    QPalette p = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Text, edited ? bgr(clTeal) : p.color(group, QPalette::WindowText));
    setPalette(p);
}

void ClickEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton)
        emit clicked();
}

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setPageStep(0);
    setSingleStep(1);
    setCursor(Qt::PointingHandCursor);
}

// The page step stays 0 so that the thumb is as small as the style allows;
// a click on the track beside the thumb moves the slider by one step.
void ScrollBar::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QStyle::SubControl hit =
            style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, e->position().toPoint(), this);
        if (hit == QStyle::SC_ScrollBarAddPage || hit == QStyle::SC_ScrollBarSubPage) {
            triggerAction(hit == QStyle::SC_ScrollBarAddPage ? SliderSingleStepAdd : SliderSingleStepSub);
            e->accept();
            return;
        }
    }
    QScrollBar::mousePressEvent(e);
}

bool ScrollBar::setMax(int maximum)
{
    if (maximum < minimum())
        return false;
    setMaximum(maximum);
    return true;
}

bool ScrollBar::setLimits(int minimum, int maximum)
{
    if (maximum < minimum)
        return false;
    setRange(minimum, maximum);
    return true;
}

bool ScrollBar::setParams(int position, int minimum, int maximum)
{
    if (maximum < minimum)
        return false;
    const int before = value();
    {
        const QSignalBlocker quiet(this);
        setRange(minimum, maximum);
        setValue(position);
    }
    if (value() != before)
        emit valueChanged(value());
    return true;
}

void setBackground(QWidget* w, QColor colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace nolt
