// The two calculators of the ISD panel, opened from its buttons, with their
// results handed to the panel.

#include "PanelTesting.h"

#include <QDateEdit>
#include <QLocale>

using namespace nolt;
using namespace nolt::test;

namespace {

struct IsdCalculatorsTest : PanelTest {
    // The ISD panel, with Auto DST on so that the night-length button shows.
    IsdCalculatorsTest()
    {
        load({{img::adstW2S, 100}, {img::adstS2W, 150}});
        clickOnScreen("iISD_en");
    }
    // Time zone in hours, longitude in half degrees (east positive).
    void offset(int zone, int halfDegrees)
    {
        slide("sbUTC", zone);
        slide("sbLength", halfDegrees);
    }
    // Latitude and twilight in half degrees.
    void night(QDate date, int latitude, int horizon)
    {
        h->find<QDateEdit>("DateTimePicker1")->setDate(date);
        slide("sbLatitude", latitude);
        slide("sbHorizon", horizon);
    }
    static QString point() { return QLocale().decimalPoint(); }
};

} // namespace

TEST_F(IsdCalculatorsTest, OffsetOfSevenAndAHalfDegreesEastInUtcPlusOneIsHalfAnHourBehind)
{
    EXPECT_FALSE(shown("pCalc"));
    click("bAstroCalc");
    EXPECT_TRUE(shown("pCalc"));
    EXPECT_EQ(edit("eUTC"), "UTC+0");
    EXPECT_EQ(edit("eLength"), "0\u00B0");
    EXPECT_EQ(edit("eOffset"), "0");
    offset(1, 15);
    EXPECT_EQ(edit("eUTC"), "UTC+1");
    EXPECT_EQ(edit("eLength"), "E 7" + point() + "5\u00B0");
    EXPECT_EQ(edit("eOffset"), "-30");
    click("bCalcOK");
    EXPECT_FALSE(shown("pCalc"));
    EXPECT_EQ(edit("eISDOffset"), "-00:30:00");
    click("bISDOK");
    EXPECT_EQ(image()[img::isdOffset], 0x100 - 15) << "two-minute units";
}

// Offsets the byte cannot hold, or that reach its ends, show "???" and OK
// hands nothing over.
TEST_F(IsdCalculatorsTest, OffsetsOutsideTheByteShowQuestionMarks)
{
    const struct { int zone, halfDegrees; const char* offset; } cases[] = {
        {0, 128, "???"},  {0, 127, "???"},  {0, 126, "252"}, {0, -128, "???"}, {0, -127, "-254"},
        {0, 0, "0"},      {12, 360, "0"},   {-11, -360, "-60"}, {12, -360, "???"}, {3, 0, "-180"},
    };
    for (const auto& c : cases) {
        offset(c.zone, c.halfDegrees);
        EXPECT_EQ(edit("eOffset"), c.offset) << "UTC" << c.zone << " at " << c.halfDegrees << " half degrees";
    }
    click("bAstroCalc");
    offset(0, 128);
    click("bCalcOK");
    EXPECT_FALSE(shown("pCalc"));
    EXPECT_EQ(edit("eISDOffset"), "0");
    click("bAstroCalc");
    offset(0, 20);
    click("bCalcCancel");
    EXPECT_EQ(edit("eISDOffset"), "0");
}

TEST_F(IsdCalculatorsTest, SliderTextsWithTheLocaleDecimalSeparator)
{
    const struct { const char* slider; int position; const char* label; QString text; } cases[] = {
        {"sbUTC", -11, "eUTC", "UTC-11"},         {"sbUTC", 12, "eUTC", "UTC+12"},
        {"sbLength", -15, "eLength", "W 7" + point() + "5\u00B0"}, {"sbLength", 360, "eLength", "E 180\u00B0"},
        {"sbLength", -1, "eLength", "W 0" + point() + "5\u00B0"},
        {"sbLatitude", -1, "lLatitude", "S 0" + point() + "5"}, {"sbLatitude", 124, "lLatitude", "N 62"},
        {"sbHorizon", -5, "lHorizon", "-2" + point() + "5"},   {"sbHorizon", 0, "lHorizon", "0"},
    };
    for (const auto& c : cases) {
        slide(c.slider, c.position);
        EXPECT_EQ(h->text(c.label), c.text) << c.slider << " " << c.position;
    }
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    slide("sbLength", 15);
    EXPECT_EQ(edit("eLength"), "E 7,5\u00B0");
    QLocale::setDefault(before);
}

TEST_F(IsdCalculatorsTest, OffsetCalculatorReopensWithItsLastSettings)
{
    click("bAstroCalc");
    offset(2, -30);
    click("bCalcCancel");
    click("bAstroCalc");
    EXPECT_EQ(slider("sbUTC")->position(), 2);
    EXPECT_EQ(edit("eLength"), "W 15\u00B0");
    EXPECT_EQ(edit("eOffset"), "-180");
}

TEST_F(IsdCalculatorsTest, NightLengthOnFirstOpeningAndThroughTheYear)
{
    EXPECT_EQ(edit("eLoN"), "");
    click("bADSTCalc");
    EXPECT_TRUE(shown("pAstroCalc"));
    EXPECT_EQ(label("lLatitude"), "N 50");
    EXPECT_EQ(label("lHorizon"), "-3");
    EXPECT_EQ(h->find<QDateEdit>("DateTimePicker1")->date(), QDate(2014, 3, 10));
    EXPECT_EQ(edit("eLoN"), "12:01");

    const struct { QDate date; int latitude, horizon; const char* night; } cases[] = {
        {QDate(2014, 6, 21), 100, -6, "07:02"},  // N 50, twilight -3
        {QDate(2014, 12, 21), 100, -6, "15:23"},
        {QDate(2014, 3, 21), 0, 0, "12:00"},     // equator
        {QDate(2014, 3, 21), 0, -6, "11:36"},
        {QDate(2014, 6, 21), 121, -12, "00:32"}, // N 60.5, twilight -6
    };
    for (const auto& c : cases) {
        night(c.date, c.latitude, c.horizon);
        EXPECT_EQ(edit("eLoN"), c.night) << c.date.toString().toStdString() << " " << c.latitude;
    }
    // Dates before 2000 leave the result as it was.
    h->find<QDateEdit>("DateTimePicker1")->setDate(QDate(1999, 12, 31));
    slide("sbLatitude", 0);
    EXPECT_EQ(edit("eLoN"), "00:32");
    EXPECT_TRUE(h->platform.messages.isEmpty());
}

// The arccos argument leaves -1..1 in the polar summer.
TEST_F(IsdCalculatorsTest, WhereTheSunStaysAboveTheTwilightTheNightIsZero)
{
    click("bADSTCalc");
    for (int latitude : {122, 123, 124}) { // N 61 .. N 62 with twilight -6 at midsummer
        night(QDate(2014, 6, 21), latitude, -12);
        EXPECT_EQ(edit("eLoN"), "00:00") << latitude;
    }
    night(QDate(2014, 12, 21), -124, -12); // the southern summer
    EXPECT_EQ(edit("eLoN"), "00:00");
    click("bDSTOn");
    EXPECT_EQ(edit("eW2S"), "0");

    click("bADSTCalc");
    night(QDate(2014, 6, 21), 100, -6);
    EXPECT_EQ(edit("eLoN"), "07:02");
}

TEST_F(IsdCalculatorsTest, NightLengthCopiesRoundDownToFiveMinutes)
{
    const struct { const char* typed; const char* button; const char* edit; const char* copied; } cases[] = {
        {"12:03", "bDSTOn", "eW2S", "12:00"}, {"04:44", "bDSTOff", "eS2W", "04:40"}, {"", "bDSTOn", "eW2S", "0"},
        {"9:05", "bDSTOff", "eS2W", "0"},     {"00:04", "bDSTOn", "eW2S", "0"},
    };
    for (const auto& c : cases) {
        click("bADSTCalc");
        h->find<QLineEdit>("eLoN")->setText(c.typed);
        click(c.button);
        EXPECT_EQ(edit(c.edit), c.copied) << c.typed;
        EXPECT_FALSE(shown("pAstroCalc"));
    }
}

TEST_F(IsdCalculatorsTest, TypedNightLengthThatIsNotHoursAndMinutesCopiesNothing)
{
    click("bADSTCalc");
    for (const char* typed : {"ab:cd", "12345", " 9:05", "-1:30", "12:3x"}) {
        h->find<QLineEdit>("eLoN")->setText(typed);
        click("bDSTOn");
        click("bDSTOff");
        EXPECT_TRUE(shown("pAstroCalc")) << typed;
    }
    EXPECT_EQ(edit("eW2S"), "08:20");
    EXPECT_EQ(edit("eS2W"), "12:30");
    EXPECT_EQ(h->platform.beeps, 10);
}

TEST_F(IsdCalculatorsTest, NightCalculatorReopensFromTheKeptInputsAndItsHelpMovesIn)
{
    click("bADSTCalc");
    night(QDate(2014, 12, 21), 100, -6);
    click("bAstroCalcCancel");
    EXPECT_FALSE(shown("pAstroCalc"));
    h->find<QLineEdit>("eLoN")->setText("01:00");
    click("bADSTCalc");
    EXPECT_EQ(edit("eLoN"), "15:23");
    EXPECT_EQ(edit("eW2S"), "08:20") << "nothing copied";

    QWidget* help = h->find("pHelpAstroCalc");
    const auto inView = [&] { return h->form->rect().intersects(help->geometry()); };
    EXPECT_FALSE(inView());
    click("bACHelp");
    EXPECT_TRUE(inView());
    clickOn(control(help, "Label26"));
    EXPECT_FALSE(inView());
    click("bACHelp");
    clickOn(help);
    EXPECT_FALSE(inView());
}
