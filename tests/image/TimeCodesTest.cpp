#include "image/TimeCodes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace nolt {
namespace {

TEST(TimeCode, EncodesAtTheUnitThresholds)
{
    const std::vector<std::pair<int, int>> cases = {
        {0, 0}, {59, 59}, {63, 63}, {64, 70}, {69, 70}, {630, 127}, {631, 138}, {639, 138},
        {3780, 191}, {3781, 196}, {3839, 196}, {54000, 252}, {56700, 255}};
    for (const auto& [t, code] : cases)
        EXPECT_EQ(convertTime(t), code) << t;
}

TEST(TimeCode, DecodesEveryUnit)
{
    const std::vector<std::pair<int, int>> cases = {
        {0, 0}, {63, 63}, {64, 0}, {70, 60}, {127, 630}, {128, 0}, {138, 600},
        {191, 3780}, {196, 3600}, {252, 54000}, {255, 56700}};
    for (const auto& [code, t] : cases)
        EXPECT_EQ(DecodeTime(code), t) << code;
}

TEST(TimeCode, ReEncodingGivesTheCodeBackOutsideTheUnitSeams)
{
    for (int b = 0; b < 256; ++b) {
        const bool seam = (b >= 64 && b <= 70) || (b >= 128 && b <= 138) || (b >= 192 && b <= 196);
        if (seam)
            EXPECT_NE(convertTime(DecodeTime(b)), b) << b;
        else
            EXPECT_EQ(convertTime(DecodeTime(b)), b) << b;
    }
}

TEST(TimeCode, EncodingNeverOvershootsAndSkipsSeamCodes)
{
    // 63 units of 900 is the largest code; 64 units no longer fit a byte.
    for (int t = 0; t < 64 * 900; ++t) {
        const int code = convertTime(t);
        ASSERT_LE(code, 255) << t;
        ASSERT_LE(DecodeTime(code), t) << t;
        const bool seam = (code >= 64 && code <= 69) || (code >= 128 && code <= 137)
            || (code >= 192 && code <= 195);
        ASSERT_FALSE(seam) << t;
    }
    EXPECT_GT(convertTime(64 * 900), 255);
}

TEST(TimeText, FormatsDurations)
{
    EXPECT_EQ(displayTime(0), "0");
    EXPECT_EQ(displayTime(59), "00:00:59");
    EXPECT_EQ(displayTime(1275), "00:21:15");
    EXPECT_EQ(displayTime(3600), "01:00:00");
    EXPECT_EQ(displayTime(56700), "15:45:00");
    EXPECT_EQ(displayTime(360000), "100:00:00");

    EXPECT_EQ(displayTime2(0), "0");
    EXPECT_EQ(displayTime2(1), "00,001");
    EXPECT_EQ(displayTime2(60), "00,060");
    EXPECT_EQ(displayTime2(3600), "03,600");
    EXPECT_EQ(displayTime2(36000), "36,000");

    EXPECT_EQ(displayTime3(0), "0");
    EXPECT_EQ(displayTime3(-2), "-00:02:00");
    EXPECT_EQ(displayTime3(-60), "-01:00:00");
    EXPECT_EQ(displayTime3(254), "04:14:00");

    EXPECT_EQ(displayTimeHM(0), "0");
    EXPECT_EQ(displayTimeHM(18000), "05:00");
    EXPECT_EQ(displayTimeHM(3599), "00:59");
    EXPECT_EQ(displayTimeHM(216 * 300), "18:00");
}

TEST(TimeText, FormatsTimesOfDay)
{
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "00:00:00"}, {60, "05:00:00"}, {108, "09:00:00"}, {128, "00:00:00"},
        {148, "15:00:00"}, {232, "22:00:00"}, {255, "23:55:00"}};
    for (const auto& [b, text] : cases)
        EXPECT_EQ(displayTime4(b), text) << b;
}

TEST(TimeText, ParsersReadWhatTheFormattersWrite)
{
    for (const int x : {1, 59, 60, 1275, 3599, 3600, 56700, 359999})
        EXPECT_EQ(getTime(displayTime(x)), x) << x;
    for (const int x : {1, 60, 999, 3600, 36000, 99999})
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

TEST(TimeText, TimesOfDayOffTheGridMoveTowardMidnight)
{
    EXPECT_EQ(getTime3("22:00:00"), 232);
    EXPECT_EQ(getTime3("05:00:00"), 316);
    EXPECT_EQ(getTime3("23:58:00"), 256);
    EXPECT_EQ(getTime3("22:03:00") & 0xFF, (-23) & 0xFF);
    EXPECT_EQ(getTime3("05:03:00") & 0xFF, 60);
    EXPECT_EQ(getTime3("12:00:00"), 256 + 144);
    EXPECT_EQ(getTime3("12:05:00") & 0xFF, (-143) & 0xFF);
}

TEST(TimeText, OffsetsReadTheSignFromTheLength)
{
    EXPECT_EQ(getTime4("00:02:00"), 129);
    EXPECT_EQ(getTime4("00:01:59"), 128);
    EXPECT_EQ(getTime4("-01:00:00"), 98);
    EXPECT_EQ(getTime4("04:14:00"), 255);
    EXPECT_EQ(getTime4("X01:00:00"), 98);    // any 9-character text is negative
    EXPECT_EQ(getTime4("01:00:00xy"), 158);  // 10 and more: first eight positions
}

TEST(TimeText, LengthsAParserDoesNotAcceptGiveTheNeutralValue)
{
    for (const QString s : {"", "0", "1:00:00", "001:00:00", "100:00:00"})
        EXPECT_EQ(getTime(s), 0) << s.toStdString();
    for (const QString s : {"", "0", "1,500"})
        EXPECT_EQ(getTime2(s), 0) << s.toStdString();
    EXPECT_EQ(getTime2("01,5009"), 1500);
    for (const QString s : {"", "0", "22:00", "22:00:000"})
        EXPECT_EQ(getTime3(s), 128) << s.toStdString();
    for (const QString s : {"", "0", "0:02:00"})
        EXPECT_EQ(getTime4(s), 128) << s.toStdString();
    for (const QString s : {"", "0", "5:00", "05:000"})
        EXPECT_EQ(getTimeHM(s), 0) << s.toStdString();
}

TEST(TimeText, DigitFieldsThatAreNotDecimal)
{
    // The night-length text can be typed by the user: no value, nothing written.
    for (const QString s : {"ab:cd", "05:x0", " 5:00", "-1:00", "05:+9", "\u0660\u0665:00"})
        EXPECT_FALSE(getTimeHM(s).has_value()) << s.toStdString();
    // The other texts come from the formatters; a malformed one reads as neutral.
    EXPECT_EQ(getTime("0a:00:00"), 0);
    EXPECT_EQ(getTime2("0a,500"), 0);
    EXPECT_EQ(getTime3("xx:00:00"), 128);
    EXPECT_EQ(getTime4("-0x:00:00"), 128);
    EXPECT_EQ(getTime4("01:00:0 "), 128);
}

} // namespace
} // namespace nolt
