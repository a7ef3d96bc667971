#include "image/TimeCodes.h"

#include <gtest/gtest.h>

using namespace nolt;

// Seconds up to 63, then tens, minutes and quarter hours (a unit's first codes skipped); the texts of each form.
TEST(TimeCode, EncodesAndDecodesAtTheUnitThresholdsAndFormatsEachForm)
{
    const std::pair<int, int> cases[] = {
        {convertTime(59), 59},    {convertTime(64), 70},    {convertTime(69), 70},     {convertTime(630), 127},
        {convertTime(631), 138},  {convertTime(3780), 191}, {convertTime(3781), 196},  {convertTime(54000), 252},
        {DecodeTime(63), 63},     {DecodeTime(70), 60},     {DecodeTime(127), 630},    {DecodeTime(138), 600},
        {DecodeTime(196), 3600},  {DecodeTime(255), 56700}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    const std::pair<QString, const char*> texts[] = {
        {displayTime(0), "0"},          {displayTime(360000), "100:00:00"}, {displayTime2(0), "0"},
        {displayTime2(1), "00,001"},    {displayTime2(60), "00,060"},       {displayTime2(12345), "12,345"},
        {displayTime4(60), "05:00:00"}, {displayTime4(127), "10:35:00"},
        {displayTime4(128), "00:00:00"}, {displayTime4(255), "23:55:00"},   {displayTime3(0), "0"},
        {displayTime3(-2), "-00:02:00"}, {displayTimeHM(0), "0"},           {displayTimeHM(3599), "00:59"}};
    for (const auto& [got, want] : texts)
        EXPECT_EQ(got, want);
}

// Times of day and offsets; wrong lengths and non-decimal digits give the neutral value (0, or 128).
TEST(TimeText, ParsesTimesOfDayAndOffsetsAndMalformedTexts)
{
    const std::pair<int, int> cases[] = {
        {getTime3("22:00:00"), 232}, {getTime3("05:00:00"), 316}, {getTime3("23:58:00"), 256},
        {getTime3("22:03:00"), 256 - 23}, {getTime3("23:56:00"), 256}, // off the grid: toward midnight
        {getTime3("05:03:00"), 316}, {getTime3("12:00:00"), 400}, {getTime3("12:05:00"), 113},
        {getTime4("00:02:00"), 129}, {getTime4("00:01:59"), 128}, {getTime4("-01:00:00"), 98},
        {getTime4("04:14:00"), 255}, {getTime4("X01:00:00"), 98}, // 9 characters: negative
        {getTime4("01:00:00xy"), 158}, // 10 and more: the first eight positions
        {getTime2("01,5009"), 1500}, {getTime2("99,999"), 99999}, {getTime("99:59:59"), 359999},
        {getTime("00:21:15"), 1275}, {*getTimeHM("99:55"), 5995}, {*getTimeHM("18:00"), 1080},
        {getTime("1:00:00"), 0}, {getTime("001:00:00"), 0}, {getTime("0a:00:00"), 0}, {getTime2("0"), 0},
        {getTime2("1,500"), 0}, {getTime2("0a,500"), 0}, {getTime3("22:00"), 128}, {getTime3("22:00:000"), 128},
        {getTime3("xx:00:00"), 128}, {getTime4("0:02:00"), 128}, {getTime4("-0x:00:00"), 128},
        {*getTimeHM("5:00"), 0}, {*getTimeHM("05:000"), 0}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    // The night-length text can be typed by the user: no value, nothing written.
    for (const QString s : {"ab:cd", "05:x0", " 5:00", "-1:00", "05:+9", "\u0660\u0665:00"})
        EXPECT_FALSE(getTimeHM(s).has_value()) << s.toStdString();
}
