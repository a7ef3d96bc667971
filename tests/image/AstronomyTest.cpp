#include "image/Astronomy.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace nolt;

TEST(Astronomy, JulianDayMatchesQtsCalendarAndRefusesOtherDates)
{
    for (QDate d(1582, 10, 15); d.year() <= 9999; d = d.addDays(997))
        ASSERT_EQ(julianDay(d.day(), d.month(), d.year()), d.toJulianDay()) << d.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(julianDay(31, 12, 9999), QDate(9999, 12, 31).toJulianDay());
    for (const auto& [day, month, year] : {std::tuple{14, 10, 1582}, {30, 9, 1582}, {31, 12, 1000}, {1, 1, 10000}})
        EXPECT_EQ(julianDay(day, month, year), 0) << year;
}

// Beyond the polar circles the arccos argument leaves -1..1. The text rounds to the nearest minute, halves to even.
TEST(Astronomy, NightLengthWhereTheSunNeverRisesOrSetsAndItsText)
{
    EXPECT_EQ(nightLength(julianDay(21, 12, 2014), 80, 0), 24);
    EXPECT_EQ(nightLength(julianDay(21, 6, 2014), 89.9, 0), 0);
    // Worked out apart from the program, term by term from the sun model (its small terms move these by seconds).
    EXPECT_NEAR(nightLength(julianDay(1, 5, 2014), 50, -6), 8.0795800332, 1e-7);
    EXPECT_NEAR(nightLength(julianDay(1, 8, 2030), -33.5, 0), 13.6482075642, 1e-7);
    const std::pair<double, const char*> cases[] = {
        {9.9999, "10:00"}, {24, "24:00"}, {9 + 5 / 60.0, "09:05"}, {0.125, "00:08"}, {0.375, "00:22"}};
    for (auto [hours, text] : cases)
        EXPECT_EQ(showHoursMinutes(hours), text) << hours;
}
