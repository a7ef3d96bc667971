#include "image/DimmingCurve.h"

#include <gtest/gtest.h>

#include <tuple>

namespace nolt {
namespace {

Bytes curveOf(int (*f)(int))
{
    Bytes curve;
    for (int i = 0; i < curvePoints; ++i)
        curve.push_back(static_cast<std::uint8_t>(f(i)));
    return curve;
}

const Bytes reverse = curveOf([](int i) { return 100 - i; });
// Maps 50 to 40 and nothing above 50 to 40.
const Bytes fiftyToForty = curveOf([](int i) { return i <= 50 ? i * 4 / 5 : i; });

// A wrong number is stored when it fits a byte; where the text is no number the entry keeps its earlier value 7.
TEST(CurveFile, ReportsWrongDataButStoresOutOfRangeNumbers)
{
    const std::pair<QString, int> cases[] = {{"101", 101}, {"-1", 255},        {"300", 44},          {"word", 7},
                                             {"- 5", 7},   {"99999999999", 7}, {QString(QChar(0)), 7}, {"\t42  ", 42},
                                             {"+42", 42},  {"-2147483648", 0}};
    QStringList reversed;
    for (const std::uint8_t level : reverse)
        reversed.append(QString::number(level));
    for (const auto& [line, stored] : cases) {
        QStringList lines = reversed;
        lines[42] = line;
        const DimmingCurveRead r = readDimmingCurve(lines, Bytes(curvePoints, 7));
        EXPECT_EQ(r.error, stored == 42 ? "" : "Error: Wrong Data!") << line.toStdString();
        EXPECT_EQ(r.curve[42], stored) << line.toStdString();
        EXPECT_EQ(r.curve[41], 59);
    }
}

// A level keeps its relay bit. Every level byte of an image is mapped and back, and nothing else; a stick image
// keeps its upper half; a short image is refused. DALI modes are tested on the window.
TEST(CurveMapping, MapsExactlyTheLevelBytesAndBackKeepingTheirRelayBit)
{
    EXPECT_EQ(correctLevel(0xB2, fiftyToForty), 0xA8);
    EXPECT_EQ(uncorrectLevel(0xA8, fiftyToForty), 0xB2);
    EXPECT_EQ(correctLevel(0x7F, fiftyToForty), 100); // levels above 100 read as 100
    EXPECT_EQ(uncorrectLevel(0x80, curveOf([](int i) { return i < 30 ? 0 : i; })), 0x80 | 29); // the highest
    EXPECT_EQ(uncorrectLevel(0x80 | 100, reverse), 0x80) << "the search ends at entry 0";
    EXPECT_EQ(correctLevel(0x32, {}), 0x32);
    // Offset, level, mapped: unused steps, an unset MFF start (with its stop) and levels behind a zero threshold stay.
    std::vector<std::tuple<int, int, bool>> levels = {
        {img::minLevel, 5, true},  {img::poLevel, 90, true},        {img::mffStart, 60, true}, {img::mffL1, 61, false},
        {img::mffL2, 62, false},   {img::mffL3, 63, false},         {img::mffStop, 64, true},  {img::tmT1, 70, false},
        {img::tmL1, 0x80 | 30, true}, {img::tmT2, 0, false},        {img::tmL2, 31, false},    {img::tmT3, 40, false},
        {img::tmL3, 32, true}};
    for (int i = 0; i < img::dimStepCount; ++i) {
        levels.emplace_back(img::dim2FirstLevel + 3 * i, i == 4 ? img::unusedStep : 10 + i, i != 4);
        levels.emplace_back(img::dim1FirstLevel + 3 * i, i == 7 ? img::unusedStep : 0x80 | (20 + i), i != 7);
    }
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::featureFlags] = img::outputPwm;
    Bytes corrected = image; // the level bytes: level L becomes 100 - L, the relay bit kept
    for (const auto& [offset, level, mapped] : levels) {
        image[offset] = corrected[offset] = static_cast<std::uint8_t>(level);
        if (mapped)
            corrected[offset] = static_cast<std::uint8_t>((level & 0x80) | (100 - (level & 0x7F)));
    }
    const Bytes before = image;
    ASSERT_TRUE(correctDC(image, reverse));
    EXPECT_EQ(image, corrected);
    ASSERT_TRUE(invCorrectDC(image, reverse));
    EXPECT_EQ(image, before);

    image[img::mffStart] = img::mffStartNotSet;
    image.resize(img::stickImageSize, 0x32);
    ASSERT_TRUE(correctDC(image, reverse));
    EXPECT_EQ(image[img::mffStop], 64);
    EXPECT_EQ(Bytes(image.begin() + img::imageSize, image.end()), Bytes(128, 0x32));
    EXPECT_FALSE(correctDC(image, Bytes(100, 0)));
    Bytes tiny(10, 0);
    EXPECT_FALSE(correctDC(tiny, reverse));
}

} // namespace
} // namespace nolt
