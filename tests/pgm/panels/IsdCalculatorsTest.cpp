// The two calculators of the ISD panel, their results handed to it, and the
// night length against an independent model.

#include "PanelTesting.h"

#include <QDateEdit>
#include <QLocale>

#include <cmath>
#include <numbers>

using namespace nolt;
using namespace nolt::test;

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

double sinDeg(double degrees)
{
    return std::sin(degrees * std::numbers::pi / 180);
}

// The sun's apparent declination in degrees at noon (UT) of a date.
double declination(QDate date)
{
    const double T = (static_cast<double>(date.toJulianDay()) - 2451545.0) / 36525.0;
    const double L = std::fmod(280.46646 + T * (36000.76983 + T * 0.0003032), 360.0);
    const double M = 357.52911 + T * (35999.05029 - 0.0001537 * T);
    const double centre = sinDeg(M) * (1.914602 - T * (0.004817 + 0.000014 * T))
        + sinDeg(2 * M) * (0.019993 - 0.000101 * T) + sinDeg(3 * M) * 0.000289;
    const double omega = 125.04 - 1934.136 * T;
    const double longitude = L + centre - 0.00569 - 0.00478 * sinDeg(omega);
    const double meanObliquity = 23.0 + (26.0 + (21.448 - T * (46.815 + T * (0.00059 - T * 0.001813))) / 60.0) / 60.0;
    const double obliquity = meanObliquity + 0.00256 * sinDeg(omega + 90);
    return std::asin(sinDeg(obliquity) * sinDeg(longitude)) * 180 / std::numbers::pi;
}

// Minutes of the day during which the sun stays below the elevation.
double night(double declination, double latitude, double elevation)
{
    const double cosHourAngle = (sinDeg(elevation) - sinDeg(latitude) * sinDeg(declination))
        / (sinDeg(latitude + 90) * sinDeg(declination + 90));
    return 1440 - 8 * std::acos(std::clamp(cosHourAngle, -1.0, 1.0)) * 180 / std::numbers::pi;
}

} // namespace

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
    act({"sbLength=15", "eLength==E 7,5\u00B0", "sbHorizon=-1", "lHorizon==-0,5"});
}

// A copy rounds down to five minutes; a text that is not HH:MM copies nothing and beeps.
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
    click("bADSTCalc"); // Cancel keeps the inputs it reopens from
    h->find<QDateEdit>("DateTimePicker1")->setDate(QDate(2014, 12, 21));
    act({"bAstroCalcCancel", "bADSTCalc", "eLoN==15:23", "eW2S==0"});
}

// Against an independent solar-position model (NOAA), polar days included: within the
// model's nights for the declination +-0.02 degrees, widened by half a minute.
TEST_F(IsdCalculatorsTest, NightLengthAgreesWithTheNoaaSolarPositionWithinTheModelsError)
{
    click("bADSTCalc");
    for (int year : {2000, 2014, 2031, 2058, 2099})
        for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(10)) {
            h->find<QDateEdit>("DateTimePicker1")->setDate(date);
            for (int elevation : {0, -1, -6, -12})
                for (int latitude = -124; latitude <= 124; latitude += 8) {
                    slide("sbHorizon", elevation);
                    slide("sbLatitude", latitude); // the latitude last: its slider recomputes
                    const double a = night(declination(date) - 0.02, latitude / 2.0, elevation / 2.0);
                    const double b = night(declination(date) + 0.02, latitude / 2.0, elevation / 2.0);
                    const int shown = edit("eLoN").left(2).toInt() * 60 + edit("eLoN").mid(3, 2).toInt();
                    ASSERT_TRUE(shown >= std::min(a, b) - 0.5 && shown <= std::max(a, b) + 0.5)
                        << date.toString(Qt::ISODate).toStdString() << " latitude " << latitude / 2.0 << " elevation "
                        << elevation / 2.0 << ": " << shown << " not within " << a << ".." << b;
                }
        }
}
