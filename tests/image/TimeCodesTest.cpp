#include "image/TimeCodes.h"

#include <gtest/gtest.h>

namespace nolt {
namespace {

struct IntCase {
    int got, want;
};
struct TextCase {
    QString got;
    const char* want;
};

TEST(TimeCode, EncodesAndDecodesAtTheUnitThresholds)
{
    const IntCase cases[] = {
        {convertTime(59), 59},    {convertTime(64), 70},     {convertTime(69), 70},
        {convertTime(630), 127},  {convertTime(631), 138},   {convertTime(3780), 191},
        {convertTime(3781), 196}, {convertTime(54000), 252}, {DecodeTime(70), 60},
        {DecodeTime(127), 630},   {DecodeTime(138), 600},    {DecodeTime(196), 3600},
        {DecodeTime(252), 54000}, {DecodeTime(255), 56700},  {DecodeTime(63), 63}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}

TEST(TimeCode, ReEncodingGivesTheCodeBackOutsideTheUnitSeams)
{
    for (int b = 0; b < 256; ++b) {
        const bool seam = (b >= 64 && b <= 70) || (b >= 128 && b <= 138) || (b >= 192 && b <= 196);
        EXPECT_EQ(convertTime(DecodeTime(b)) == b, !seam) << b;
    }
    // 63 units of 900 is the largest code; 64 units no longer fit a byte.
    for (int t = 0; t < 64 * 900; ++t) {
        const int code = convertTime(t);
        ASSERT_LE(DecodeTime(code), t) << t;
        ASSERT_FALSE((code >= 64 && code <= 69) || (code >= 128 && code <= 137)
                     || (code >= 192 && code <= 195) || code > 255) << t;
    }
    EXPECT_GT(convertTime(64 * 900), 255);
}

TEST(TimeText, FormatsEachForm)
{
    const TextCase cases[] = {
        {displayTime(0), "0"},            {displayTime(59), "00:00:59"},
        {displayTime(1275), "00:21:15"},  {displayTime(56700), "15:45:00"},
        {displayTime(360000), "100:00:00"},
        {displayTime2(0), "0"},           {displayTime2(1), "00,001"},
        {displayTime2(60), "00,060"},     {displayTime2(3600), "03,600"},
        {displayTime2(36000), "36,000"},
        {displayTime4(0), "00:00:00"},    {displayTime4(60), "05:00:00"},
        {displayTime4(128), "00:00:00"},  {displayTime4(148), "15:00:00"},
        {displayTime4(232), "22:00:00"},  {displayTime4(255), "23:55:00"},
        {displayTime3(0), "0"},           {displayTime3(-2), "-00:02:00"},
        {displayTime3(254), "04:14:00"},
        {displayTimeHM(0), "0"},          {displayTimeHM(18000), "05:00"},
        {displayTimeHM(3599), "00:59"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(TimeText, ParsersReadWhatTheFormattersWrite)
{
    for (const int x : {1, 59, 1275, 3600, 56700, 359999})
        EXPECT_EQ(getTime(displayTime(x)), x) << x;
    for (const int x : {1, 60, 999, 36000, 99999})
        EXPECT_EQ(getTime2(displayTime2(x)), x) << x;
    for (const int minutes : {5, 300, 1080, 5995})
        EXPECT_EQ(getTimeHM(displayTimeHM(minutes * 60)), minutes) << minutes;
    // The offset slider: 2-minute steps around 128.
    for (int pos = 0; pos < 256; ++pos)
        EXPECT_EQ(getTime4(displayTime3((pos - 128) * 2)), pos) << pos;
    // Byte values -127..127 on the 5-minute grid, 13:25 through midnight to 10:35.
    for (int v = -127; v <= 127; ++v)
        EXPECT_EQ(getTime3(displayTime4(v & 0xFF)) & 0xFF, v & 0xFF) << v;
}

// Times of day and offsets; wrong lengths and non-decimal digits give the neutral value (0, or 128).
TEST(TimeText, ParsesTimesOfDayAndOffsetsAndMalformedTexts)
{
    const IntCase cases[] = {
        {getTime3("22:00:00"), 232},  {getTime3("05:00:00"), 316},
        {getTime3("23:58:00"), 256},  {getTime3("22:03:00"), 256 - 23}, // off the grid: toward midnight
        {getTime3("05:03:00"), 316},  {getTime3("12:00:00"), 400},
        {getTime3("12:05:00"), 113},  {getTime4("00:02:00"), 129},
        {getTime4("00:01:59"), 128},  {getTime4("-01:00:00"), 98},
        {getTime4("04:14:00"), 255},  {getTime4("X01:00:00"), 98}, // 9 characters: negative
        {getTime4("01:00:00xy"), 158}, // 10 and more: the first eight positions
        {getTime2("01,5009"), 1500},
        {getTime(""), 0}, {getTime("0"), 0}, {getTime("1:00:00"), 0}, {getTime("001:00:00"), 0},
        {getTime("100:00:00"), 0}, {getTime("0a:00:00"), 0},
        {getTime2(""), 0}, {getTime2("0"), 0}, {getTime2("1,500"), 0}, {getTime2("0a,500"), 0},
        {getTime3(""), 128}, {getTime3("0"), 128}, {getTime3("22:00"), 128}, {getTime3("22:00:000"), 128},
        {getTime3("xx:00:00"), 128}, {getTime4(""), 128}, {getTime4("0"), 128}, {getTime4("0:02:00"), 128},
        {getTime4("-0x:00:00"), 128}, {*getTimeHM(""), 0}, {*getTimeHM("0"), 0}, {*getTimeHM("5:00"), 0},
        {*getTimeHM("05:000"), 0}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
    // The night-length text can be typed by the user: no value, nothing written.
    for (const QString s : {"ab:cd", "05:x0", " 5:00", "-1:00", "05:+9", "\u0660\u0665:00"})
        EXPECT_FALSE(getTimeHM(s).has_value()) << s.toStdString();
}

} // namespace
} // namespace nolt
