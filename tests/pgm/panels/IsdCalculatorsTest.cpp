// The two calculators of the ISD panel and their results handed to it.

#include "PanelTesting.h"

#include <QDateEdit>
#include <QLocale>

using namespace nolt;
using namespace nolt::test;

namespace {

// The ISD panel with Auto DST on (the night-length button shows), in the C
// locale so that the decimal point is known.
struct IsdCalculatorsTest : PanelTest {
    const QLocale saved;
    IsdCalculatorsTest()
    {
        QLocale::setDefault(QLocale::c());
        load({{img::adstW2S, 100}, {img::adstS2W, 150}});
        clickOnScreen("iISD_en");
    }
    ~IsdCalculatorsTest() override { QLocale::setDefault(saved); }
};

} // namespace

// Four minutes a degree east of the zone's meridian (longitude in half degrees); offsets
// beyond the byte's ends show "???" and OK hands nothing over. Cancel keeps the inputs.
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
    act({"sbUTC=-11", "eUTC==UTC-11", "sbLength=-15", "eLength==W 7.5\u00B0", "sbLength=360", "eLength==E 180\u00B0",
         "sbLatitude=-1", "lLatitude==S 0.5", "sbLatitude=124", "lLatitude==N 62", "sbHorizon=-5", "lHorizon==-2.5"});
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    act({"sbLength=15", "sbHorizon=-1", "eLength==E 7,5\u00B0", "lHorizon==-0,5"});
}

// The night length from the first opening on; a copy rounds down to five
// minutes; a text that is not HH:MM copies nothing and beeps.
TEST_F(IsdCalculatorsTest, NightLengthCopies)
{
    act({"eLoN==", "bADSTCalc", "lLatitude==N 50", "lHorizon==-3", "eLoN==12:01"}); // 10 March 2014
    h->find<QDateEdit>("DateTimePicker1")->setDate(QDate(1999, 12, 31)); // before 2000: left as it was
    EXPECT_TRUE(edit("eLoN") == "12:01" && h->platform.messages.isEmpty());
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

// Cancel keeps the inputs; the help moves in, and out at a click on it or its text.
TEST_F(IsdCalculatorsTest, NightCalculatorReopensFromTheKeptInputsAndItsHelpMovesIn)
{
    click("bADSTCalc");
    h->find<QDateEdit>("DateTimePicker1")->setDate(QDate(2014, 12, 21));
    act({"sbHorizon=-6", "bAstroCalcCancel", "!pAstroCalc"});
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
