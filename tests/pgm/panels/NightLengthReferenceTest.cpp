// The night-length calculator against an independent solar-position model
// (NOAA), polar days and nights included: each night shown lies within the
// model's nights for the declination +-0.02 degrees, widened by half a minute.

#include "PanelTesting.h"

#include <QDateEdit>

#include <cmath>
#include <numbers>

using namespace nolt;
using namespace nolt::test;

namespace {

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

TEST_F(PanelTest, NightLengthAgreesWithTheNoaaSolarPositionWithinTheModelsError)
{
    load({{img::adstW2S, 100}, {img::adstS2W, 150}}); // Auto DST on: the calculator's button shows
    act({"@iISD_en", "bADSTCalc"});
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
