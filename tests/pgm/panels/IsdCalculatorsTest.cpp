// The two calculators of the ISD panel, their results handed to it, and night lengths of an independent model.

#include "PanelTesting.h"

#include <QDateEdit>
#include <QLocale>

namespace {

// The ISD panel with Auto DST on (the night-length button shows), in the C locale.
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

// With DST ticked the offset handed over lies an hour earlier, not below -04:16:00; DST stays ticked, and a night
// length the slider was editing stays as it was.
TEST_F(IsdCalculatorsTest, OffsetTakenUnderDstIsAnHourEarlier)
{
    act({"cbDST==-", "cbDST", "eISDOffset==-01:00:00", "eW2S", "bAstroCalc", "sbUTC=1", "sbLength=15", "eOffset==-30",
         "bCalcOK", "eISDOffset==-01:30:00", "eW2S==08:20", "cbDST==+", "bAstroCalc", "sbUTC=0", "sbLength=-127", "eOffset==-254", "bCalcOK",
         "eISDOffset==-04:16:00", "bISDOK"});
    EXPECT_EQ(image()[img::isdOffset], 0x80);
    EXPECT_EQ(image()[img::optionFlags], 0x00) << "DST on";
}

// Four minutes a degree east of the meridian; beyond the byte's ends "???", handed nothing.
TEST_F(IsdCalculatorsTest, OffsetCalculator)
{
    const struct { int zone, halfDegrees; const char* offset; } cases[] = {
        {0, 127, "???"}, {0, 126, "252"}, {0, -128, "???"}, {0, -127, "-254"}, {12, -360, "???"}, {2, 15, "-90"}, {1, 15, "-30"}};
    act({"bAstroCalc", "eUTC==UTC+0", "eLength==0\u00B0", "eOffset==0"});
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
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // the locale's decimal point
    act({"sbLength=15", "eLength==E 7,5\u00B0", "bCalcCancel", "!pCalc", "bADSTCalc", "sbHorizon=-1",
         "lHorizon==-0,5"});
}

// A copy rounds down to five minutes; a text that is not HH:MM copies nothing and beeps.
TEST_F(IsdCalculatorsTest, NightLengthCopies)
{
    act({"eLoN==", "bADSTCalc", "lLatitude==N 50", "lHorizon==-3", "eLoN==12:01"}); // 10 March 2014
    auto* date = h->find<QDateEdit>("DateTimePicker1");
    date->setDate(QDate(1999, 12, 31)); // before 2000: left as it was
    EXPECT_TRUE(edit("eLoN") == "12:01" && h->platform.messages.isEmpty() && date->calendarPopup());
    for (const char* typed : {"ab:cd", "12345", " 9:05", "-1:30", "12:3x"}) {
        h->type("eLoN", typed);
        act({"bDSTOn", "bDSTOff", "?pAstroCalc"});
    }
    act({"eW2S==08:20", "eS2W==12:30", "bAstroCalcCancel", "!pAstroCalc"});
    EXPECT_EQ(h->platform.beeps, 10);
    const struct { const char *typed, *button, *copied; } cases[] = {
        {"12:03", "bDSTOn", "eW2S==12:00"}, {"04:44", "bDSTOff", "eS2W==04:40"}, {"", "bDSTOn", "eW2S==0"},
        {"9:05", "bDSTOff", "eS2W==0"},     {"00:04", "bDSTOn", "eW2S==0"},
    };
    for (const auto& c : cases) {
        click("bADSTCalc");
        h->type("eLoN", c.typed);
        act({c.button, c.copied, "!pAstroCalc"});
    }
    click("bADSTCalc"); // Cancel keeps the inputs it reopens from
    date->setDate(QDate(2014, 12, 21));
    act({"bAstroCalcCancel", "bADSTCalc", "eLoN==15:23", "eW2S==0"});
}

// Night lengths of the NOAA solar position (the sun's declination within 0.02 degrees, the text rounded to the
// minute): both hemispheres, the four twilights, this century, and summer nights that never get dark.
TEST_F(IsdCalculatorsTest, NightLengthAgreesWithTheNoaaSolarPosition)
{
    const struct { QDate date; int latitude, elevation; const char* night; } rows[] = { // half degrees
        {{2000, 1, 1}, -60, 0, "10:06"},   {{2000, 3, 20}, -124, -6, "11:10"}, {{2000, 7, 4}, 124, -12, "00:00"},
        {{2014, 6, 21}, 116, -1, "05:57"}, {{2014, 12, 21}, -124, -12, "00:00"}, {{2031, 2, 5}, 124, 0, "16:19"},
        {{2031, 9, 23}, -100, -12, "10:44"}, {{2058, 8, 10}, 70, -12, "09:28"}, {{2058, 11, 3}, -100, -1, "09:22"},
        {{2099, 10, 30}, 100, -6, "13:38"}, {{2099, 4, 15}, 124, -12, "07:29"}, {{2014, 3, 10}, 70, -1, "12:18"},
    };
    click("bADSTCalc");
    for (const auto& r : rows) {
        h->find<QDateEdit>("DateTimePicker1")->setDate(r.date);
        slide("sbHorizon", r.elevation);
        slide("sbLatitude", r.latitude); // the latitude differs from the row before: its slider recomputes
        EXPECT_EQ(edit("eLoN"), r.night) << r.date.toString(Qt::ISODate).toStdString() << " " << r.latitude;
    }
}

namespace {

// Where a person can click `name` at `at` (its own coordinates): it is shown and on top there.
void clickAt(FormHarness& h, const char* name, QPoint at)
{
    QWidget* w = h.find(QString::fromLatin1(name));
    ASSERT_TRUE(w && w->isVisibleTo(h.form.get())) << name;
    const QPoint inForm = w->mapTo(h.form.get(), at);
    QWidget* top = h.form->childAt(inForm);
    ASSERT_TRUE(top == w || w->isAncestorOf(top)) << name << " is covered";
    QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(h.form.get(), inForm));
}

// Whether the named panel lies on top at its centre, over the panel it opened from.
bool onTop(FormHarness& h, const char* name)
{
    const QWidget* w = h.find(QString::fromLatin1(name));
    const QWidget* top = h.form->childAt(w->mapTo(h.form.get(), w->rect().center()));
    return top == w || w->isAncestorOf(top);
}

bool inView(FormHarness& h, const char* name)
{
    return h.form->rect().intersects(h.find(QString::fromLatin1(name))->geometry());
}

} // namespace

// First opened at UTC+0 within -11..12; Cancel closes it, and a click anywhere on its help closes the help.
TEST_F(IsdCalculatorsTest, OffsetCalculatorOpensAtUtcZeroAndItsButtonsClose)
{
    act({"!pCalc", "bAstroCalc", "?pCalc", "sbUTC==0", "eUTC==UTC+0"});
    EXPECT_TRUE(onTop(*h, "pCalc"));
    EXPECT_FALSE(h->find<QLabel>("TimeZone")->pixmap().isNull()) << "the time-zone map shows";
    EXPECT_EQ(slider("sbUTC")->minimum(), -11);
    EXPECT_EQ(slider("sbUTC")->maximum(), 12);
    EXPECT_EQ(std::pair(slider("sbLength")->minimum(), slider("sbLength")->maximum()), std::pair(-360, 360));
    act({"sbUTC=-11", "eUTC==UTC-11", "eOffset==???", "sbUTC=3", "eUTC==UTC+3", "sbUTC=0", "eUTC==UTC+0", "eOffset==0"});
    act({"sbLength=10", "eLength==E 5\u00B0", "sbLength=1", "eLength==E 0.5\u00B0", "sbLength=-1", "eLength==W 0.5\u00B0",
         "sbLength=0", "eLength==0\u00B0"});
    act({"!pCalcHelp", "bCalcHelp", "?pCalcHelp", "@pCalcHelp", "!pCalcHelp", "?pCalc", "bCalcHelp"});
    clickAt(*h, "pCalcHelp", QPoint(4, 4)); // beside the picture
    act({"!pCalcHelp", "?pCalc", "bCalcCancel", "!pCalc", "?pISD", "eISDOffset==0"});
}

// The night-length help lies below the window until Help brings it over the calculator; a click on it or on
// one of its lines takes it away again.
TEST_F(IsdCalculatorsTest, NightLengthHelpComesAndGoes)
{
    act({"bADSTCalc", "?pAstroCalc", "Label19==Twilight begin/end", "Label24==is 6\u00B0 below the horizon."});
    EXPECT_TRUE(onTop(*h, "pAstroCalc"));
    EXPECT_FALSE(inView(*h, "pHelpAstroCalc"));
    for (const char* where : {"pHelpAstroCalc", "Label19"}) {
        click("bACHelp");
        EXPECT_TRUE(inView(*h, "pHelpAstroCalc") && onTop(*h, "pHelpAstroCalc"));
        clickAt(*h, where, QPoint(2, 2));
        EXPECT_FALSE(inView(*h, "pHelpAstroCalc")) << where;
    }
    act({"?pAstroCalc", "bAstroCalcCancel", "!pAstroCalc", "?pISD"});
}

// The night-length calculator's sliders as first opened: latitude -124..124 half degrees at N 50, twilight -12..0
// at -3 degrees.
TEST_F(IsdCalculatorsTest, NightLengthSlidersFirstOpened)
{
    act({"bADSTCalc", "sbLatitude==100", "lLatitude==N 50", "sbHorizon==-6", "lHorizon==-3", "sbLatitude=0",
         "lLatitude==N 0", "sbLatitude=-1", "lLatitude==S 0.5"});
    const struct { const char* name; int minimum, maximum; } ranges[] = {{"sbLatitude", -124, 124},
                                                                          {"sbHorizon", -12, 0}};
    for (const auto& r : ranges)
        EXPECT_EQ(std::pair(slider(r.name)->minimum(), slider(r.name)->maximum()), std::pair(r.minimum, r.maximum))
            << r.name;
}

// A date picked on its own recomputes the night length.
TEST_F(IsdCalculatorsTest, APickedDateRecomputesTheNight)
{
    act({"bADSTCalc", "sbHorizon=-1", "sbLatitude=116"});
    h->find<QDateEdit>("DateTimePicker1")->setDate(QDate(2014, 6, 21));
    EXPECT_EQ(edit("eLoN"), "05:57");
}

// Moving the horizon slider alone recomputes the night: 10 March 2014 at N 35 with the horizon half a degree
// below gives 12:18.
TEST_F(IsdCalculatorsTest, TheHorizonSliderRecomputesTheNight)
{
    act({"bADSTCalc", "eLoN==12:01", "sbLatitude=70", "lLatitude==N 35", "sbHorizon=-1", "eLoN==12:18"});
}
