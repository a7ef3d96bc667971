// The two calculators of the ISD panel, opened from its buttons, with their
// results handed to the panel.

#include "PanelTesting.h"

#include <QDateEdit>
#include <QLocale>

using namespace nolt;
using namespace nolt::test;

namespace {

// The ISD panel with Auto DST on, so that the night-length button shows. The
// texts follow the default locale, which the environment gives (C here); the
// tests set it so that the decimal point is known.
struct IsdCalculatorsTest : PanelTest {
    const QLocale saved;
    IsdCalculatorsTest()
    {
        QLocale::setDefault(QLocale::c());
        load({{img::adstW2S, 100}, {img::adstS2W, 150}});
        clickOnScreen("iISD_en");
    }
    ~IsdCalculatorsTest() override { QLocale::setDefault(saved); }
    // Time zone in hours, longitude in half degrees (east positive).
    void offset(int zone, int halfDegrees) const
    {
        slide("sbUTC", zone);
        slide("sbLength", halfDegrees);
    }
    // Latitude and twilight in half degrees.
    void night(QDate date, int latitude, int horizon) const
    {
        h->find<QDateEdit>("DateTimePicker1")->setDate(date);
        slide("sbLatitude", latitude);
        slide("sbHorizon", horizon);
    }
};

} // namespace

// Four minutes a degree east of the zone's meridian; offsets the byte cannot
// hold, or that reach its ends, show "???" and OK hands nothing over.
TEST_F(IsdCalculatorsTest, OffsetCalculator)
{
    click("bAstroCalc");
    EXPECT_EQ(edit("eUTC") + " " + edit("eLength") + " " + edit("eOffset"), "UTC+0 0\u00B0 0");
    const struct { int zone, halfDegrees; const char* offset; } cases[] = {
        {0, 128, "???"},  {0, 127, "???"},   {0, 126, "252"},    {0, -128, "???"}, {0, -127, "-254"},
        {12, 360, "0"},   {-11, -360, "-60"}, {12, -360, "???"}, {3, 0, "-180"},   {1, 15, "-30"},
    };
    for (const auto& c : cases) {
        offset(c.zone, c.halfDegrees);
        EXPECT_EQ(edit("eOffset"), c.offset) << "UTC" << c.zone << " at " << c.halfDegrees << " half degrees";
    }
    click("bCalcOK");
    EXPECT_FALSE(shown("pCalc"));
    EXPECT_EQ(edit("eISDOffset"), "-00:30:00");
    for (auto [button, halfDegrees] : {std::pair{"bCalcOK", 128}, {"bCalcCancel", 28}}) {
        click("bAstroCalc");
        offset(0, halfDegrees);
        click(button);
        EXPECT_EQ(edit("eISDOffset"), "-00:30:00") << button;
    }
    click("bISDOK");
    EXPECT_EQ(image()[img::isdOffset], 0x100 - 15) << "two-minute units";

    click("iISD_en");
    click("bAstroCalc");
    offset(2, -30);
    click("bCalcCancel");
    click("bAstroCalc");
    EXPECT_EQ(slider("sbUTC")->position(), 2);
    EXPECT_EQ(edit("eLength") + " " + edit("eOffset"), "W 15\u00B0 -180");
}

TEST_F(IsdCalculatorsTest, SliderTextsWithTheLocaleDecimalPoint)
{
    const struct { const char *slider, *text; int position; const char* shown; } cases[] = {
        {"sbUTC", "eUTC", -11, "UTC-11"},          {"sbUTC", "eUTC", 12, "UTC+12"},
        {"sbLength", "eLength", -15, "W 7.5\u00B0"}, {"sbLength", "eLength", 360, "E 180\u00B0"},
        {"sbLength", "eLength", -1, "W 0.5\u00B0"},  {"sbLatitude", "lLatitude", -1, "S 0.5"},
        {"sbLatitude", "lLatitude", 124, "N 62"},  {"sbHorizon", "lHorizon", -5, "-2.5"},
        {"sbHorizon", "lHorizon", 0, "0"},
    };
    for (const auto& c : cases) {
        slide(c.slider, c.position);
        EXPECT_EQ(h->text(c.text), QString::fromUtf8(c.shown)) << c.slider << " " << c.position;
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    slide("sbLength", 15);
    slide("sbHorizon", -1);
    EXPECT_EQ(edit("eLength") + " " + label("lHorizon"), "E 7,5\u00B0 -0,5");
}

// The night lengths, from the first opening on; where the sun stays above
// the twilight (polar day) the night is 00:00.
TEST_F(IsdCalculatorsTest, NightLengthThroughTheYear)
{
    EXPECT_EQ(edit("eLoN"), "");
    click("bADSTCalc");
    EXPECT_EQ(label("lLatitude") + " " + label("lHorizon"), "N 50 -3");
    EXPECT_EQ(h->find<QDateEdit>("DateTimePicker1")->date(), QDate(2014, 3, 10));
    EXPECT_EQ(edit("eLoN"), "12:01");
    const struct { QDate date; int latitude, horizon; const char* night; } cases[] = {
        {QDate(2014, 6, 21), 100, -6, "07:02"},  {QDate(2014, 12, 21), 100, -6, "15:23"}, // N 50, twilight -3
        {QDate(2014, 3, 21), 0, 0, "12:00"},     {QDate(2014, 3, 21), 0, -6, "11:36"},    // equator
        {QDate(2014, 6, 21), 121, -12, "00:32"}, {QDate(2014, 6, 21), 122, -12, "00:00"}, // N 60.5, N 61
        {QDate(2014, 6, 21), 124, -12, "00:00"}, {QDate(2014, 12, 21), -124, -12, "00:00"},
        {QDate(1999, 12, 31), 0, 0, "00:00"}, // before 2000: left as it was
    };
    for (const auto& c : cases) {
        night(c.date, c.latitude, c.horizon);
        EXPECT_EQ(edit("eLoN"), c.night) << c.date.toString().toStdString() << " " << c.latitude;
    }
    click("bDSTOn");
    EXPECT_EQ(edit("eW2S"), "0");
    EXPECT_TRUE(h->platform.messages.isEmpty());
}

// A copied night length rounds down to five minutes; a text that is not
// HH:MM copies nothing and beeps.
TEST_F(IsdCalculatorsTest, NightLengthCopies)
{
    click("bADSTCalc");
    for (const char* typed : {"ab:cd", "12345", " 9:05", "-1:30", "12:3x"}) {
        h->find<QLineEdit>("eLoN")->setText(typed);
        click("bDSTOn");
        click("bDSTOff");
        EXPECT_TRUE(shown("pAstroCalc")) << typed;
    }
    EXPECT_EQ(edit("eW2S") + " " + edit("eS2W"), "08:20 12:30");
    EXPECT_EQ(h->platform.beeps, 10);
    const struct { const char *typed, *button, *edit, *copied; } cases[] = {
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
