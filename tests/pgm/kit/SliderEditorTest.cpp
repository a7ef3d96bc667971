// The scroll bar wrapper and what only the shared slider editor itself
// shows. The editor's ranges and rounding are tested through the panels
// that use it (power-on, hold time, dimming engines).

#include "pgm/kit/SliderEditor.h"
#include "pgm/kit/SliderStrip.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace nolt;

TEST(ScrollBar, RefusesAMaximumBelowTheMinimumAndReportsEveryRealChange)
{
    ScrollBar sb;
    int changes = 0;
    QObject::connect(&sb, &QScrollBar::valueChanged, [&] { ++changes; });
    EXPECT_TRUE(sb.setLimits(10, 20));
    EXPECT_EQ(sb.position(), 10);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(sb.setMax(5));
    EXPECT_EQ(sb.maximum(), 20);
    EXPECT_FALSE(sb.setParams(3, 8, 2));
    sb.setPosition(99);
    EXPECT_EQ(sb.position(), 20);
    sb.setPosition(20);
    EXPECT_EQ(changes, 2) << "setting the same position runs nothing";
    EXPECT_TRUE(sb.setParams(15, 0, 100));
    EXPECT_EQ(changes, 3) << "one change for one step";
}

// A stored duration above the longest range (codes 253..255) keeps its text
// when that range is chosen while the slider stands elsewhere.
TEST(SliderEditor, StoredValueAboveTheLongestRangeKeepsItsText)
{
    QWidget panel;
    auto* delay = new ClickEdit(&panel);
    auto* strip = new SliderStrip(&panel, "pStrip", "sbStrip", 0, 0, "combStrip");
    const EditGroup edits{delay, nullptr, nullptr};
    QObject::connect(strip, &SliderStrip::sliderChanged, [&] { sliderChange(edits, strip->combo(), strip->slider()); });
    delay->setText("00:00:10");
    clickEdit(kindTime, edits, strip->combo(), strip->slider(), 0);
    delay->setText("15:45:00"); // code 255 decodes to 56700 s
    strip->combo()->setCurrentIndex(3);
    comboChange(edits, strip->combo(), strip->slider());
    EXPECT_EQ(delay->text(), "15:45:00");
    EXPECT_EQ(strip->slider()->position(), 60);
}
