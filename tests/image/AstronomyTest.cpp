// The sun-position model and its helpers.

#include "image/Astronomy.h"

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

TEST(Astronomy, NightLengthWhereTheSunNeverRisesToTheElevation)
{
    EXPECT_EQ(nightLength(julianDay(21, 12, 2014), 80, 0), 24);
    EXPECT_EQ(nightLength(julianDay(21, 6, 2014), 89.9, 0), 0);
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

