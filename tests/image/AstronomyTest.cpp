// The sun-position model and its helpers.

#include "image/Astronomy.h"
#include "image/Rounding.h"

#include <QDate>

#include <gtest/gtest.h>

#include <numbers>

using namespace nolt;

namespace {
constexpr double twoPi = 2 * std::numbers::pi;
}

TEST(Astronomy, JulianDayMatchesQtsCalendarOverTheWholeRange)
{
    EXPECT_EQ(julianDay(1, 1, 2000), 2451545);
    EXPECT_EQ(julianDay(15, 10, 1582), 2299161);
    EXPECT_EQ(julianDay(10, 3, 2014), 2456727);
    for (QDate d(1582, 10, 15); d.year() <= 9999; d = d.addDays(997))
        ASSERT_EQ(julianDay(d.day(), d.month(), d.year()), d.toJulianDay()) << d.toString(Qt::ISODate).toStdString();
    const QDate last(9999, 12, 31);
    EXPECT_EQ(julianDay(31, 12, 9999), last.toJulianDay());
}

TEST(Astronomy, JulianDayRefusesDatesOutsideTheGregorianRange)
{
    EXPECT_EQ(julianDay(14, 10, 1582), 0);
    EXPECT_EQ(julianDay(31, 12, 1000), 0);
    EXPECT_EQ(julianDay(1, 1, 10000), 0);
}

TEST(Astronomy, NormAngleBringsAnglesIntoOneTurn)
{
    EXPECT_NEAR(normAngle(-0.1), twoPi - 0.1, 1e-12);
    EXPECT_NEAR(normAngle(7.0), 7.0 - twoPi, 1e-12);
    EXPECT_NEAR(normAngle(5 * std::numbers::pi), std::numbers::pi, 1e-9); // 2.5 turns: halves to even
    EXPECT_NEAR(normAngle(-3 * std::numbers::pi), std::numbers::pi, 1e-9);
    for (double a = -1000; a < 1000; a += 3.7) {
        const double r = normAngle(a);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, twoPi);
        EXPECT_NEAR(std::remainder(r - a, twoPi), 0, 1e-9);
    }
}

TEST(Astronomy, ObliquityAndDeclinationAtJ2000)
{
    EXPECT_NEAR(obliquity(0) * 180 / std::numbers::pi, 23.43929111, 1e-9);
    // Declination at the 2014 solstices, near +-23.44 degrees.
    const double june = (julianDay(21, 6, 2014) - 2451545) / 36525.0;
    const double december = (julianDay(21, 12, 2014) - 2451545) / 36525.0;
    EXPECT_NEAR(sunDeclination(june) * 180 / std::numbers::pi, 23.44, 0.02);
    EXPECT_NEAR(sunDeclination(december) * 180 / std::numbers::pi, -23.44, 0.02);
}

TEST(Astronomy, NightLengthAtPolarDayAndPolarNight)
{
    const long june = julianDay(21, 6, 2014), december = julianDay(21, 12, 2014);
    EXPECT_EQ(nightLength(june, 62, -6), 0);       // the sun stays above -6 degrees
    EXPECT_EQ(nightLength(december, -62, -6), 0);
    EXPECT_EQ(nightLength(december, 80, 0), 24);  // the sun stays below the horizon
    EXPECT_EQ(nightLength(june, 89.9, 0), 0);
    const double equinox = nightLength(julianDay(21, 3, 2014), 0, 0);
    EXPECT_NEAR(equinox, 12, 0.05);
}

TEST(Astronomy, HoursAndMinutesRoundToTheNearestMinuteHalvesToEven)
{
    EXPECT_EQ(showHoursMinutes(9.9999), "10:00");
    EXPECT_EQ(showHoursMinutes(12), "12:00");
    EXPECT_EQ(showHoursMinutes(24), "24:00");
    EXPECT_EQ(showHoursMinutes(0), "00:00");
    EXPECT_EQ(showHoursMinutes(9 + 5 / 60.0), "09:05");
    EXPECT_EQ(showHoursMinutes(0.125), "00:08"); // 7.5 minutes
    EXPECT_EQ(showHoursMinutes(0.375), "00:22"); // 22.5 minutes
}

TEST(Astronomy, HalfUnitsInTheirShortestForm)
{
    EXPECT_EQ(halfUnitsText(15, "."), "7.5");
    EXPECT_EQ(halfUnitsText(-1, ","), "-0,5");
    EXPECT_EQ(halfUnitsText(360, "."), "180");
    EXPECT_EQ(halfUnitsText(-6, "."), "-3");
    EXPECT_EQ(halfUnitsText(0, "."), "0");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(82.5), 82);
    EXPECT_EQ(roundHalfEven(87.5), 88);
    EXPECT_EQ(roundHalfEven(90.5), 90);
    EXPECT_EQ(roundHalfEven(85.75), 86);
    EXPECT_EQ(roundHalfEven(95.25), 95);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
}
