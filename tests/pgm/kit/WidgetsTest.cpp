// The kit's own controls as a person meets them: a picture that answers a left click, a value field that is
// clicked, never typed into, and a slider whose track steps by one.

#include "pgm/kit/Widgets.h"

#include "support/Person.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace nolt;

namespace {

// Counts of a spy per signal, as "pressed released clicked".
QString counts(std::initializer_list<const QSignalSpy*> spies)
{
    QStringList out;
    for (const QSignalSpy* s : spies)
        out << QString::number(s->count());
    return out.join(' ');
}

} // namespace

// A left press and release on a picture is a click; one that ends outside it, or a right click, is none.
TEST(Widgets, ClickLabelAnswersALeftClickThatEndsOnIt)
{
    const struct { Qt::MouseButton button; QPoint releaseAt; const char* signalCounts; } rows[] = {
        {Qt::LeftButton, {10, 10}, "1 1 1"},
        {Qt::LeftButton, {60, 10}, "1 1 0"},
        {Qt::RightButton, {10, 10}, "0 0 0"},
    };
    for (const auto& [button, releaseAt, signalCounts] : rows) {
        ClickLabel label;
        label.resize(40, 20);
        label.show();
        QSignalSpy pressed(&label, &ClickLabel::pressed), released(&label, &ClickLabel::released),
            clicked(&label, &ClickLabel::clicked);
        QTest::mousePress(&label, button, {}, {10, 10});
        QTest::mouseRelease(&label, button, {}, releaseAt);
        EXPECT_EQ(counts({&pressed, &released, &clicked}), signalCounts) << releaseAt.x() << button;
    }
}

// A value field takes no typing, answers a left click only, and shows in teal while it is being edited.
TEST(Widgets, ClickEditIsClickedNotTyped)
{
    ClickEdit edit;
    edit.setText(QStringLiteral("00:01:00"));
    edit.show();
    QSignalSpy clicked(&edit, &ClickEdit::clicked);
    QTest::mouseClick(&edit, Qt::RightButton);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(test::click(&edit), "");
    EXPECT_EQ(clicked.count(), 1);
    QTest::keyClicks(&edit, QStringLiteral("12"));
    EXPECT_EQ(edit.text(), "00:01:00");

    const QColor plain = edit.palette().color(QPalette::Active, QPalette::Text);
    edit.setEdited(true);
    EXPECT_TRUE(edit.isEdited());
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), QColor(0x00, 0x80, 0x80));
    EXPECT_EQ(edit.palette().color(QPalette::Inactive, QPalette::Text), QColor(0x00, 0x80, 0x80));
    edit.setEdited(false);
    EXPECT_FALSE(edit.isEdited());
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), plain);
}

// A click on the track beside the thumb moves the slider one step toward the click.
TEST(Widgets, ScrollBarTrackStepsByOne)
{
    ScrollBar slider;
    slider.resize(212, 10);
    slider.setParams(30, 0, 60);
    slider.show();
    QSignalSpy moved(&slider, &QScrollBar::valueChanged);
    EXPECT_EQ(test::clickAt(&slider, test::sliderPart(&slider, QStyle::SC_ScrollBarAddPage, 30)), "");
    EXPECT_EQ(slider.position(), 31);
    EXPECT_EQ(test::clickAt(&slider, test::sliderPart(&slider, QStyle::SC_ScrollBarSubPage, 31)), "");
    EXPECT_EQ(test::clickAt(&slider, test::sliderPart(&slider, QStyle::SC_ScrollBarSubPage, 30)), "");
    EXPECT_EQ(slider.position(), 29);
    EXPECT_EQ(moved.count(), 3);
}

// A maximum below the minimum is refused, the slider keeping its range and place; new settings report a move
// once, and only when the position changes.
TEST(Widgets, ScrollBarRefusesAnEmptyRange)
{
    ScrollBar slider;
    EXPECT_TRUE(slider.setLimits(10, 60));
    EXPECT_TRUE(slider.setParams(40, 10, 60));
    QSignalSpy moved(&slider, &QScrollBar::valueChanged);
    EXPECT_FALSE(slider.setLimits(20, 19));
    EXPECT_FALSE(slider.setMax(9));
    EXPECT_FALSE(slider.setParams(15, 20, 19));
    EXPECT_EQ(QString("%1..%2 at %3").arg(slider.minimum()).arg(slider.maximum()).arg(slider.position()), "10..60 at 40");
    EXPECT_EQ(moved.count(), 0);
    EXPECT_TRUE(slider.setParams(40, 0, 50));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_TRUE(slider.setParams(70, 0, 50)); // limited to the maximum
    EXPECT_TRUE(slider.setMax(55));
    EXPECT_EQ(QString("%1..%2 at %3").arg(slider.minimum()).arg(slider.maximum()).arg(slider.position()), "0..55 at 50");
    EXPECT_EQ(moved.count(), 1);
}
