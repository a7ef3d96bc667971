// The two calculators of the ISD panel, opened from its buttons, with their
// results handed to the panel.

#include "PanelTesting.h"

#include <QDateEdit>
#include <QLocale>

using namespace nolt;
using namespace nolt::test;

namespace {

// The ISD panel with Auto DST on, so that the night-length button shows. The
// texts follow the default locale (C here); the tests set it so that the
// decimal point is known.
struct IsdCalculatorsTest : PanelTest {
    const QLocale saved;
    IsdCalculatorsTest()
    {
        QLocale::setDefault(QLocale::c());
        load({{img::adstW2S, 100}, {img::adstS2W, 150}});
        clickOnScreen("iISD_en");
    }
    ~IsdCalculatorsTest() override { QLocale::setDefault(saved); }
    // Latitude and twilight in half degrees.
    void night(QDate date, int latitude, int horizon) const
    {
        h->find<QDateEdit>("DateTimePicker1")->setDate(date);
        slide("sbLatitude", latitude);
        slide("sbHorizon", horizon);
    }
};

} // namespace

// Four minutes a degree east of the zone's meridian (longitude in half
// degrees); offsets the byte cannot hold, or that reach its ends, show "???"
// and OK hands nothing over. Cancel keeps the inputs for the next opening.
TEST_F(IsdCalculatorsTest, OffsetCalculator)
{
    act({"bAstroCalc", "eUTC==UTC+0", "eLength==0\u00B0", "eOffset==0"});
    const struct { int zone, halfDegrees; const char* offset; } cases[] = {
        {0, 128, "???"}, {0, 127, "???"},   {0, 126, "252"},    {0, -128, "???"}, {0, -127, "-254"},
        {12, 360, "0"},  {-11, -360, "-60"}, {12, -360, "???"}, {3, 0, "-180"},   {1, 15, "-30"},
    };
    for (const auto& c : cases) {
        slide("sbUTC", c.zone);
        slide("sbLength", c.halfDegrees);
        EXPECT_EQ(edit("eOffset"), c.offset) << "UTC" << c.zone << " at " << c.halfDegrees << " half degrees";
    }
    act({"bCalcOK", "!pCalc", "eISDOffset==-00:30:00", "bAstroCalc", "sbUTC=0", "sbLength=128", "bCalcOK",
         "eISDOffset==-00:30:00", "bAstroCalc", "sbLength=28", "bCalcCancel", "eISDOffset==-00:30:00", "bISDOK"});
    EXPECT_EQ(image()[img::isdOffset], 0x100 - 15) << "two-minute units";
    act({"iISD_en", "bAstroCalc", "sbUTC=2", "sbLength=-30", "bCalcCancel", "bAstroCalc", "sbUTC==2",
         "eLength==W 15\u00B0", "eOffset==-180"});
}

TEST_F(IsdCalculatorsTest, SliderTextsWithTheLocaleDecimalPoint)
{
    act({"sbUTC=-11", "eUTC==UTC-11", "sbUTC=12", "eUTC==UTC+12", "sbLength=-15", "eLength==W 7.5\u00B0",
         "sbLength=360", "eLength==E 180\u00B0", "sbLength=-1", "eLength==W 0.5\u00B0", "sbLatitude=-1",
         "lLatitude==S 0.5", "sbLatitude=124", "lLatitude==N 62", "sbHorizon=-5", "lHorizon==-2.5", "sbHorizon=0",
         "lHorizon==0"});
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    act({"sbLength=15", "sbHorizon=-1", "eLength==E 7,5\u00B0", "lHorizon==-0,5"});
}

// The night lengths, from the first opening on; where the sun stays above
// the twilight (polar day) the night is 00:00.
TEST_F(IsdCalculatorsTest, NightLengthThroughTheYear)
{
    act({"eLoN==", "bADSTCalc", "lLatitude==N 50", "lHorizon==-3", "eLoN==12:01"});
    EXPECT_EQ(h->find<QDateEdit>("DateTimePicker1")->date(), QDate(2014, 3, 10));
    const struct { QDate date; int latitude, horizon; const char* night; } cases[] = {
        {QDate(2014, 6, 21), 100, -6, "07:02"},  {QDate(2014, 12, 21), 100, -6, "15:23"}, // N 50, twilight -3
        {QDate(2014, 3, 21), 0, 0, "12:00"},     {QDate(2014, 3, 21), 0, -6, "11:36"},    // equator
        {QDate(2014, 6, 21), 121, -12, "00:32"}, {QDate(2014, 6, 21), 122, -12, "00:00"}, // N 60.5, N 61
        {QDate(2014, 12, 21), -124, -12, "00:00"},
        {QDate(1999, 12, 31), 0, 0, "00:00"}, // before 2000: left as it was
    };
    for (const auto& c : cases) {
        night(c.date, c.latitude, c.horizon);
        EXPECT_EQ(edit("eLoN"), c.night) << c.date.toString().toStdString() << " " << c.latitude;
    }
    act({"bDSTOn", "eW2S==0"});
    EXPECT_TRUE(h->platform.messages.isEmpty());
}

// A copied night length rounds down to five minutes; a text that is not
// HH:MM copies nothing and beeps.
TEST_F(IsdCalculatorsTest, NightLengthCopies)
{
    click("bADSTCalc");
    for (const char* typed : {"ab:cd", "12345", " 9:05", "-1:30", "12:3x"}) {
        h->find<QLineEdit>("eLoN")->setText(typed);
        act({"bDSTOn", "bDSTOff", "?pAstroCalc"});
    }
    act({"eW2S==08:20", "eS2W==12:30"});
    EXPECT_EQ(h->platform.beeps, 10);
    const struct { const char *typed, *button, *copied; } cases[] = {
        {"12:03", "bDSTOn", "eW2S==12:00"}, {"04:44", "bDSTOff", "eS2W==04:40"}, {"", "bDSTOn", "eW2S==0"},
        {"9:05", "bDSTOff", "eS2W==0"},     {"00:04", "bDSTOn", "eW2S==0"},
    };
    for (const auto& c : cases) {
        click("bADSTCalc");
        h->find<QLineEdit>("eLoN")->setText(c.typed);
        act({c.button, c.copied, "!pAstroCalc"});
    }
}

// Cancel keeps the inputs, the next opening recomputes; the help moves in
// over the calculator and out again at a click on it or its text.
TEST_F(IsdCalculatorsTest, NightCalculatorReopensFromTheKeptInputsAndItsHelpMovesIn)
{
    click("bADSTCalc");
    night(QDate(2014, 12, 21), 100, -6);
    act({"bAstroCalcCancel", "!pAstroCalc"});
    h->find<QLineEdit>("eLoN")->setText("01:00");
    act({"bADSTCalc", "eLoN==15:23", "eW2S==08:20"});
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
