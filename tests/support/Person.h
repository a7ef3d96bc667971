#pragma once
// What a person can do with a window's controls, done as a person does it: a mouse click at a point, a tick by
// clicking the box, text typed into an edit, a slider's thumb dragged and its arrows clicked, an item picked
// from a selector's list. Each returns why a person could not have done it (naming the control), empty when
// they could: the control hidden (itself or through a hidden parent), disabled, of no size, or covered at the
// point clicked by a control that is neither it nor one of its children.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTest>

namespace nolt::test {

inline QString controlName(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return w->objectName().isEmpty() && w->parentWidget() ? name + " in " + controlName(w->parentWidget()) : name;
}

// Why a person could not click w at `at` (w's coordinates); empty when they could.
inline QString unreachable(const QWidget* w, QPoint at)
{
    const QString name = controlName(w);
    if (!w->isVisible())
        return name + " is hidden";
    if (w->width() <= 0 || w->height() <= 0)
        return name + " has no size";
    if (!w->isEnabled())
        return name + " is disabled";
    if (!w->rect().contains(at))
        return name + " does not reach the point clicked";
    const QWidget* top = w->window();
    const QWidget* hit = w == top ? top : top->childAt(w->mapTo(top, at));
    if (hit != w && !w->isAncestorOf(hit))
        return name + " is covered by " + (hit ? controlName(hit) : QStringLiteral("nothing of it"));
    return {};
}

// Where a person clicks a control: a box's or a radio button's indicator, the middle of anything else.
inline QPoint clickPoint(const QWidget* w)
{
    const bool box = qobject_cast<const QCheckBox*>(w), radio = qobject_cast<const QRadioButton*>(w);
    if (!box && !radio)
        return w->rect().center();
    QStyleOptionButton option;
    option.initFrom(w);
    return w->style()->subElementRect(box ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, w)
        .center();
}

inline QString clickAt(QWidget* w, QPoint at)
{
    QString why = unreachable(w, at);
    if (why.isEmpty())
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    return why;
}

// Clicks the control where a person would; a picture partly covered (by a label on it, say) where it shows.
inline QString click(QWidget* w)
{
    const QPoint at = clickPoint(w);
    QString why = unreachable(w, at);
    if (!why.isEmpty() && w->isVisible() && w->isEnabled() && !qobject_cast<QAbstractButton*>(w))
        for (int y = 1; y < 8; ++y)
            for (int x = 1; x < 8; ++x)
                if (const QPoint p(w->width() * x / 8, w->height() * y / 8); unreachable(w, p).isEmpty())
                    return clickAt(w, p);
    return why.isEmpty() ? clickAt(w, at) : why;
}

// Clicks the box unless it already shows `on`; the click must change the tick.
inline QString tick(QAbstractButton* b, bool on)
{
    if (b->isChecked() == on)
        return controlName(b) + (on ? " is ticked already" : " is unticked already");
    QString why = click(b);
    if (why.isEmpty() && b->isChecked() != on)
        why = controlName(b) + " did not take the click";
    return why;
}

// Clicks into the edit, selects what it holds and types `text` over it.
inline QString type(QLineEdit* edit, const QString& text)
{
    QString why = click(edit);
    if (!why.isEmpty())
        return why;
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    return edit->text() == text ? QString() : controlName(edit) + " did not take the text typed";
}

// The middle of a part of a horizontal scroll bar, with its thumb at `position`.
inline QPoint sliderPart(const QScrollBar* s, QStyle::SubControl part, int position)
{
    QStyleOptionSlider o;
    o.initFrom(s);
    o.orientation = s->orientation();
    o.minimum = s->minimum();
    o.maximum = s->maximum();
    o.sliderPosition = o.sliderValue = std::clamp(position, s->minimum(), s->maximum());
    o.singleStep = s->singleStep();
    o.pageStep = s->pageStep();
    o.subControls = QStyle::SC_All;
    return s->style()->subControlRect(QStyle::CC_ScrollBar, &o, part, s).center();
}

// Drags the thumb to where `position` lies, then clicks the arrows until the slider stands there or moves no
// further (a position beyond its range leaves it at its end, as a person would find it).
inline QString slide(QScrollBar* s, int position)
{
    const QPoint from = sliderPart(s, QStyle::SC_ScrollBarSlider, s->value());
    if (QString why = unreachable(s, from); !why.isEmpty())
        return why;
    const QPoint to = sliderPart(s, QStyle::SC_ScrollBarSlider, position);
    if (to != from) {
        QTest::mousePress(s, Qt::LeftButton, {}, from);
        QTest::mouseMove(s, to);
        QTest::mouseRelease(s, Qt::LeftButton, {}, to);
    }
    for (int before = s->value() + 1; s->value() != position && s->value() != before;) {
        before = s->value();
        const auto arrow = s->value() < position ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine;
        if (QString why = clickAt(s, sliderPart(s, arrow, s->value())); !why.isEmpty())
            return why;
    }
    return {};
}

// Opens the selector's list with a click, moves the mouse onto its item `index` and clicks it.
inline QString pick(QComboBox* combo, int index)
{
    if (QString why = click(combo); !why.isEmpty())
        return why;
    QAbstractItemView* list = combo->view();
    if (!list->isVisible())
        return controlName(combo) + " did not open its list";
    if (index < 0 || index >= combo->count())
        return controlName(combo) + " has no item " + QString::number(index);
    const QModelIndex item = combo->model()->index(index, combo->modelColumn(), combo->rootModelIndex());
    list->scrollTo(item);
    const QPoint at = list->visualRect(item).center();
    const QPoint corner = list->visualRect(item).topLeft();
    QTest::mouseMove(list->viewport(), corner); // the mouse passes over the item, which the list marks (a move
    QTest::mouseMove(list->viewport(), at);     // to where the mouse already is would be no move)
    return clickAt(list->viewport(), at);
}

// Clicks row `row` of a list.
inline QString pick(QAbstractItemView* list, int row)
{
    const QModelIndex item = list->model()->index(row, 0, list->rootIndex());
    if (!item.isValid())
        return controlName(list) + " has no row " + QString::number(row);
    list->scrollTo(item);
    return clickAt(list->viewport(), list->visualRect(item).center());
}

} // namespace nolt::test
