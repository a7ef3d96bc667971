// The shared slider editor on standalone widgets.

#include "pgm/SliderEditor.h"
#include "pgm/SliderStrip.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

using namespace nolt;

namespace {

struct SliderEditorTest : ::testing::Test {
    QWidget panel;
    ClickEdit* delay = new ClickEdit(&panel);
    ClickEdit* fade = new ClickEdit(&panel);
    ClickEdit* level = new ClickEdit(&panel);
    SliderStrip* strip = new SliderStrip(&panel, "pStrip", "sbStrip", 0, 0, "combStrip");
    EditGroup edits{delay, fade, level};

    SliderEditorTest()
    {
        QObject::connect(strip, &SliderStrip::sliderChanged, [this] { sliderChange(edits, strip->combo(), strip->slider()); });
        QObject::connect(strip, &SliderStrip::rangeChosen, [this] { comboChange(edits, strip->combo(), strip->slider()); });
    }
    void open(int kind, int minLevel = 0) { clickEdit(kind, edits, strip->combo(), strip->slider(), minLevel); }
    void choose(int index)
    {
        strip->combo()->setCurrentIndex(index);
        emit strip->combo()->activated(index);
    }
    int position() const { return strip->slider()->position(); }
    int range() const { return strip->combo()->currentIndex(); }
};

} // namespace

TEST_F(SliderEditorTest, DelayOpensInTheRangeThatHoldsIt)
{
    struct { const char* text; int range, position; } cases[] = {
        {"00:00:59", 0, 59}, {"00:01:00", 1, 6}, {"01:00:00", 3, 4}, {"0", 0, 0}, {"15:45:00", 3, 60},
    };
    for (auto c : cases) {
        strip->slider()->setPosition(30);
        delay->setText(c.text);
        open(kindTime);
        EXPECT_EQ(range(), c.range) << c.text;
        EXPECT_EQ(position(), c.position) << c.text;
        EXPECT_EQ(strip->combo()->itemText(3), "-> 15:00:00");
    }
}

TEST_F(SliderEditorTest, ValueBetweenStepsGoesToTheStepBelowWhenTheSliderMoves)
{
    delay->setText("00:01:15");
    open(kindTime);
    EXPECT_EQ(position(), 7);
    EXPECT_EQ(delay->text(), "00:01:10");
    EXPECT_TRUE(delay->isEdited());
    EXPECT_FALSE(fade->isEdited());
}

TEST_F(SliderEditorTest, FadeUsesItsOwnSteps)
{
    fade->setText("03,600");
    open(kindFade);
    EXPECT_EQ(range(), 3);
    EXPECT_EQ(strip->combo()->itemText(3), "-> 36,000");
    EXPECT_EQ(position(), 6);
    strip->slider()->setPosition(60);
    EXPECT_EQ(fade->text(), "36,000");
}

TEST_F(SliderEditorTest, RangeChoiceRoundsToTheNearestStepHalvesUp)
{
    // The slider already stands where the value opens, so opening keeps
    // the text between two steps.
    strip->slider()->setPosition(12);
    fade->setText("00,125");
    open(kindFade);
    EXPECT_EQ(fade->text(), "00,125");
    choose(1);
    EXPECT_EQ(fade->text(), "00,130");
    EXPECT_EQ(position(), 13);

    delay->setText("15:00:00");
    open(kindTime);
    choose(2);
    EXPECT_EQ(delay->text(), "01:00:00");
    EXPECT_EQ(position(), 60);

    delay->setText("00:10:00");
    open(kindTime);
    choose(0);
    EXPECT_EQ(delay->text(), "00:01:00");
}

TEST_F(SliderEditorTest, StoredValueAboveTheLongestRangeKeepsItsText)
{
    delay->setText("00:00:10");
    open(kindTime);
    delay->setText("15:45:00"); // code 255 decodes to 56700 s
    choose(3);
    EXPECT_EQ(delay->text(), "15:45:00");
    EXPECT_EQ(position(), 60);
}

TEST_F(SliderEditorTest, TopOfTheLongestTimeRange)
{
    delay->setText("01:00:00");
    open(kindTime);
    strip->slider()->setPosition(60);
    EXPECT_EQ(delay->text(), "15:00:00");
}

TEST_F(SliderEditorTest, LevelRangeStartsAtTheMinimumLevel)
{
    level->setText("20");
    strip->slider()->setParams(50, 0, 100);
    open(kindLevel, 30);
    EXPECT_EQ(position(), 30);
    EXPECT_EQ(level->text(), "30");
    EXPECT_TRUE(strip->combo()->isHidden());

    level->setText("abc");
    open(kindLevel, 0);
    EXPECT_EQ(position(), 100);

    level->setText("40");
    open(kindLevel, 200); // no valid range in the image
    EXPECT_EQ(position(), 100);
    EXPECT_EQ(strip->slider()->minimum(), 100);
}

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
