// The night-length calculator against an independent, more precise
// computation of the sun's position: the NOAA solar-position equations
// (apparent longitude with aberration and nutation, corrected obliquity).
//
// The calculator's model is good to about an arc minute in the sun's
// declination. Each result it shows must lie within the night lengths that
// the reference gives for its declination plus or minus 0.02 degrees, widened
// by the half minute of the text's rounding.

#include "PanelTesting.h"

#include <QDateEdit>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr double declinationTolerance = 0.02; // degrees

double rad(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// The sun's apparent declination in degrees at noon (UT) of a date.
double referenceDeclination(QDate date)
{
    const double T = (static_cast<double>(date.toJulianDay()) - 2451545.0) / 36525.0;
    const double meanLongitude = std::fmod(280.46646 + T * (36000.76983 + T * 0.0003032), 360.0);
    const double meanAnomaly = 357.52911 + T * (35999.05029 - 0.0001537 * T);
    const double centre = std::sin(rad(meanAnomaly)) * (1.914602 - T * (0.004817 + 0.000014 * T))
        + std::sin(rad(2 * meanAnomaly)) * (0.019993 - 0.000101 * T) + std::sin(rad(3 * meanAnomaly)) * 0.000289;
    const double omega = 125.04 - 1934.136 * T;
    const double apparentLongitude = meanLongitude + centre - 0.00569 - 0.00478 * std::sin(rad(omega));
    const double meanObliquity = 23.0 + (26.0 + (21.448 - T * (46.815 + T * (0.00059 - T * 0.001813))) / 60.0) / 60.0;
    const double obliquity = meanObliquity + 0.00256 * std::cos(rad(omega));
    return std::asin(std::sin(rad(obliquity)) * std::sin(rad(apparentLongitude))) * 180 / std::numbers::pi;
}

// Minutes of the day during which the sun stays below the elevation.
double referenceNight(double declination, double latitude, double elevation)
{
    const double cosHourAngle = (std::sin(rad(elevation)) - std::sin(rad(latitude)) * std::sin(rad(declination)))
        / (std::cos(rad(latitude)) * std::cos(rad(declination)));
    if (cosHourAngle <= -1)
        return 0; // the sun never sinks that far
    if (cosHourAngle >= 1)
        return 1440;
    const double dayMinutes = 2 * std::acos(cosHourAngle) * 180 / std::numbers::pi * 4; // 4 minutes a degree
    return 1440 - dayMinutes;
}

int minutesOf(const QString& hhmm)
{
    return hhmm.left(2).toInt() * 60 + hhmm.mid(3, 2).toInt();
}

} // namespace

TEST_F(PanelTest, NightLengthAgreesWithTheNoaaSolarPositionWithinTheModelsError)
{
    load({{img::adstW2S, 100}, {img::adstS2W, 150}}); // Auto DST on: the calculator's button shows
    clickOnScreen("iISD_en");
    click("bADSTCalc");
    auto* date = h->find<QDateEdit>("DateTimePicker1");
    auto* latitude = slider("sbLatitude");
    auto* horizon = slider("sbHorizon");
    auto* result = h->find<QLineEdit>("eLoN");

    double largest = 0;
    int compared = 0;
    for (int year : {2000, 2014, 2031, 2058, 2099}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 11, 21}) {
                const QDate d(year, month, day);
                date->setDate(d);
                const double declination = referenceDeclination(d);
                for (int lat = -124; lat <= 124; lat += 8) {
                    latitude->setPosition(lat);
                    for (int elevation : {0, -1, -6, -12}) {
                        horizon->setPosition(elevation);
                        const double phi = lat / 2.0, h0 = elevation / 2.0;
                        const double a = referenceNight(declination - declinationTolerance, phi, h0);
                        const double b = referenceNight(declination + declinationTolerance, phi, h0);
                        const int shown = minutesOf(result->text());
                        EXPECT_GE(shown, std::min(a, b) - 0.5)
                            << d.toString(Qt::ISODate).toStdString() << " lat " << phi << " h " << h0;
                        EXPECT_LE(shown, std::max(a, b) + 0.5)
                            << d.toString(Qt::ISODate).toStdString() << " lat " << phi << " h " << h0;
                        const double difference = std::abs(shown - referenceNight(declination, phi, h0));
                        largest = std::max(largest, difference);
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_EQ(compared, 5 * 12 * 3 * 32 * 4);
    std::cout << "[          ] largest difference from the reference: " << largest << " minutes over " << compared
              << " nights\n";
}
