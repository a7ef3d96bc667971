// The night-length calculator over a stand-in ISD panel.

#include "CalculatorHarness.h"

#include "pgm/NightLengthCalculator.h"

#include <QDateEdit>

using namespace nolt;
using namespace nolt::test;

namespace {

struct NightLengthCalculatorTest : CalculatorTest<NightLengthCalculator> {
    void open() { clickOn(target->bADSTCalc); }
    QLineEdit* eLoN() { return control<QLineEdit>(calc, "eLoN"); }
    QString label(const char* name) { return control<QLabel>(calc, name)->text(); }
    // Latitude and twilight in half degrees.
    void choose(QDate date, int latitude, int horizon)
    {
        control<QDateEdit>(calc, "DateTimePicker1")->setDate(date);
        control<ScrollBar>(calc, "sbLatitude")->setPosition(latitude);
        control<ScrollBar>(calc, "sbHorizon")->setPosition(horizon);
    }
};

} // namespace

TEST_F(NightLengthCalculatorTest, FirstOpeningComputesTheDesignedInputs)
{
    EXPECT_TRUE(calc->isHidden());
    EXPECT_EQ(eLoN()->text(), "");
    open();
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->geometry(), QRect(29, 232, 364, 250));
    EXPECT_EQ(label("lLatitude"), "N 50");
    EXPECT_EQ(label("lHorizon"), "-3");
    EXPECT_EQ(control<QDateEdit>(calc, "DateTimePicker1")->date(), QDate(2014, 3, 10));
    EXPECT_TRUE(control<QDateEdit>(calc, "DateTimePicker1")->calendarPopup());
    EXPECT_EQ(eLoN()->text(), "12:01");
}

TEST_F(NightLengthCalculatorTest, NightLengthsThroughTheYear)
{
    struct { QDate date; int latitude, horizon; const char* night; } cases[] = {
        {QDate(2014, 6, 21), 100, -6, "07:02"},  // N 50, twilight -3
        {QDate(2014, 12, 21), 100, -6, "15:23"},
        {QDate(2014, 3, 21), 0, 0, "12:00"},     // equator
        {QDate(2014, 3, 21), 0, -6, "11:36"},
        {QDate(2014, 6, 21), 121, -12, "00:32"}, // N 60.5, twilight -6
    };
    for (const auto& c : cases) {
        choose(c.date, c.latitude, c.horizon);
        EXPECT_EQ(eLoN()->text(), c.night) << c.date.toString().toStdString() << " " << c.latitude;
    }
}

TEST_F(NightLengthCalculatorTest, SliderTexts)
{
    control<ScrollBar>(calc, "sbLatitude")->setPosition(-1);
    EXPECT_EQ(label("lLatitude"), "S 0" + point() + "5");
    control<ScrollBar>(calc, "sbLatitude")->setPosition(124);
    EXPECT_EQ(label("lLatitude"), "N 62");
    control<ScrollBar>(calc, "sbHorizon")->setPosition(-5);
    EXPECT_EQ(label("lHorizon"), "-2" + point() + "5");
    control<ScrollBar>(calc, "sbHorizon")->setPosition(0);
    EXPECT_EQ(label("lHorizon"), "0");
}

TEST_F(NightLengthCalculatorTest, DatesBeforeTwoThousandLeaveTheResult)
{
    open();
    control<QDateEdit>(calc, "DateTimePicker1")->setDate(QDate(1999, 12, 31));
    EXPECT_EQ(eLoN()->text(), "12:01");
    control<ScrollBar>(calc, "sbLatitude")->setPosition(0);
    EXPECT_EQ(eLoN()->text(), "12:01");
    EXPECT_TRUE(h.platform.messages.isEmpty());
}

TEST_F(NightLengthCalculatorTest, WhereTheSunStaysAboveTheTwilightTheNightIsZeroAndTheCalculatorGoesOn)
{
    open();
    for (int latitude : {122, 123, 124}) { // N 61 .. N 62 with twilight -6 at midsummer
        choose(QDate(2014, 6, 21), latitude, -12);
        EXPECT_EQ(eLoN()->text(), "00:00") << latitude;
    }
    choose(QDate(2014, 12, 21), -124, -12); // the southern summer
    EXPECT_EQ(eLoN()->text(), "00:00");
    clickOn(control(calc, "bDSTOn"));
    EXPECT_EQ(target->nightLengths.back(), std::make_pair(true, QString("0")));

    open();
    choose(QDate(2014, 6, 21), 100, -6);
    EXPECT_EQ(eLoN()->text(), "07:02");
}

TEST_F(NightLengthCalculatorTest, CopyRoundsDownToFiveMinutes)
{
    struct { const char* typed; const char* start; const char* end; } cases[] = {
        {"12:03", "bDSTOn", "12:00"}, {"04:44", "bDSTOff", "04:40"}, {"", "bDSTOn", "0"},
        {"9:05", "bDSTOff", "0"},     {"00:04", "bDSTOn", "0"},
    };
    for (const auto& c : cases) {
        open();
        eLoN()->setText(c.typed);
        clickOn(control(calc, c.start));
        ASSERT_FALSE(target->nightLengths.empty());
        EXPECT_EQ(target->nightLengths.back(), std::make_pair(QString(c.start) == "bDSTOn", QString(c.end)))
            << c.typed;
        EXPECT_TRUE(calc->isHidden());
    }
}

TEST_F(NightLengthCalculatorTest, ATypedTextThatIsNotHoursAndMinutesCopiesNothing)
{
    open();
    for (const char* typed : {"ab:cd", "12345", " 9:05", "-1:30", "12:3x"}) {
        eLoN()->setText(typed);
        clickOn(control(calc, "bDSTOn"));
        clickOn(control(calc, "bDSTOff"));
        EXPECT_TRUE(calc->isVisible()) << typed;
    }
    EXPECT_TRUE(target->nightLengths.empty());
    EXPECT_EQ(h.platform.beeps, 10);
}

TEST_F(NightLengthCalculatorTest, ReopeningRecomputesFromTheKeptInputs)
{
    open();
    choose(QDate(2014, 12, 21), 100, -6);
    clickOn(control(calc, "bAstroCalcCancel"));
    EXPECT_TRUE(calc->isHidden());
    eLoN()->setText("01:00");
    open();
    EXPECT_EQ(eLoN()->text(), "15:23");
    EXPECT_TRUE(target->nightLengths.empty());
}

TEST_F(NightLengthCalculatorTest, HelpMovesUpOverTheCalculatorAndBackDown)
{
    open();
    ClickLabel* help = calc->helpPanel();
    EXPECT_EQ(help->objectName(), "pHelpAstroCalc");
    EXPECT_EQ(help->geometry(), QRect(25, 947, 364, 250));
    clickOn(control(calc, "bACHelp"));
    EXPECT_EQ(help->pos(), QPoint(25, 247));
    EXPECT_EQ(control<QLabel>(help, "Label24")->text(), "is 6\u00B0 below the horizon.");
    clickOn(control(help, "Label26"));
    EXPECT_EQ(help->pos(), QPoint(25, 947));
    clickOn(control(calc, "bACHelp"));
    clickOn(help);
    EXPECT_EQ(help->pos(), QPoint(25, 947));
}
