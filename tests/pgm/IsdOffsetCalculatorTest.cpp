// The ISD offset calculator over a stand-in ISD panel.

#include "CalculatorHarness.h"

#include "pgm/IsdOffsetCalculator.h"


using namespace nolt;
using namespace nolt::test;

namespace {

struct IsdOffsetCalculatorTest : CalculatorTest<IsdOffsetCalculator> {
    void open() { clickOn(target->bAstroCalc); }
    QString text(const char* name) { return control<QLineEdit>(calc, name)->text(); }
    // Time zone in hours, longitude in half degrees (east positive).
    void choose(int zone, int halfDegrees)
    {
        control<ScrollBar>(calc, "sbUTC")->setPosition(zone);
        control<ScrollBar>(calc, "sbLength")->setPosition(halfDegrees);
    }
};

} // namespace

TEST_F(IsdOffsetCalculatorTest, OpensFromTheIsdPanelAtItsPlaceWithItsInitialTexts)
{
    EXPECT_TRUE(calc->isHidden());
    open();
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->geometry(), QRect(6, 250, 474, 251));
    EXPECT_EQ(control(calc, "TimeZone")->geometry(), QRect(4, 37, 350, 179));
    EXPECT_EQ(control(calc, "sbUTC")->geometry(), QRect(4, 28, 350, 8));
    EXPECT_EQ(control(calc, "sbLength")->geometry(), QRect(3, 216, 351, 8));
    EXPECT_EQ(text("eUTC"), "UTC+0");
    EXPECT_EQ(text("eLength"), "0\u00B0");
    EXPECT_EQ(text("eOffset"), "0");
    EXPECT_FALSE(h.form->state().formDisabled) << "the ISD panel, not the calculator, holds the window busy";
}

TEST_F(IsdOffsetCalculatorTest, SevenAndAHalfDegreesEastInUtcPlusOneIsHalfAnHourBehind)
{
    open();
    choose(1, 15);
    EXPECT_EQ(text("eUTC"), "UTC+1");
    EXPECT_EQ(text("eLength"), "E 7" + point() + "5\u00B0");
    EXPECT_EQ(text("eOffset"), "-30");
    clickOn(control(calc, "bCalcOK"));
    EXPECT_EQ(target->offsets, std::vector<int>{-30});
    EXPECT_TRUE(calc->isHidden());
}

TEST_F(IsdOffsetCalculatorTest, OffsetsTheByteCannotHoldOrThatReachItsEndsShowQuestionMarks)
{
    struct { int zone, halfDegrees; const char* offset; } cases[] = {
        {0, 128, "???"},  {0, 127, "???"},  {0, 126, "252"}, {0, -128, "???"}, {0, -127, "-254"},
        {0, 0, "0"},      {12, 360, "0"},   {-11, -360, "-60"}, {12, -360, "???"}, {3, 0, "-180"},
    };
    for (const auto& c : cases) {
        choose(c.zone, c.halfDegrees);
        EXPECT_EQ(text("eOffset"), c.offset) << "UTC" << c.zone << " at " << c.halfDegrees << " half degrees";
    }
}

TEST_F(IsdOffsetCalculatorTest, ZoneAndLongitudeTextsWithTheLocaleDecimalSeparator)
{
    choose(-11, -15);
    EXPECT_EQ(text("eUTC"), "UTC-11");
    EXPECT_EQ(text("eLength"), "W 7" + point() + "5\u00B0");
    choose(12, 360);
    EXPECT_EQ(text("eUTC"), "UTC+12");
    EXPECT_EQ(text("eLength"), "E 180\u00B0");
    choose(0, -1);
    EXPECT_EQ(text("eLength"), "W 0" + point() + "5\u00B0");

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    choose(0, 15);
    EXPECT_EQ(text("eLength"), "E 7,5\u00B0");
    QLocale::setDefault(before);
}

TEST_F(IsdOffsetCalculatorTest, OkWithQuestionMarksHandsNothingOverAndCancelNeither)
{
    open();
    choose(0, 128);
    clickOn(control(calc, "bCalcOK"));
    EXPECT_TRUE(target->offsets.empty());
    EXPECT_TRUE(calc->isHidden());

    open();
    choose(0, 20);
    clickOn(control(calc, "bCalcCancel"));
    EXPECT_TRUE(target->offsets.empty());
    EXPECT_TRUE(calc->isHidden());
}

TEST_F(IsdOffsetCalculatorTest, ReopensWithItsLastSettings)
{
    open();
    choose(2, -30);
    clickOn(control(calc, "bCalcCancel"));
    open();
    EXPECT_EQ(control<ScrollBar>(calc, "sbUTC")->position(), 2);
    EXPECT_EQ(text("eLength"), "W 15\u00B0");
    EXPECT_EQ(text("eOffset"), "-180");
    clickOn(control(calc, "bCalcOK"));
    EXPECT_EQ(target->offsets, std::vector<int>{-180});
}

TEST_F(IsdOffsetCalculatorTest, HelpCoversTheCalculatorUntilClicked)
{
    open();
    clickOn(control(calc, "bCalcHelp"));
    QWidget* help = control(calc, "pCalcHelp");
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->geometry(), calc->rect());
    EXPECT_EQ(control<QLabel>(calc, "StaticText123")->text(), "Time Difference =  Offset");
    clickOn(control(calc, "StaticText123"));
    EXPECT_FALSE(help->isVisible());

    clickOn(control(calc, "bCalcHelp"));
    clickOn(control(calc, "iCalcHelp"));
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(calc->isVisible());
}
