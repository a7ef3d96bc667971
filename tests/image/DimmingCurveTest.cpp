#include "image/DimmingCurve.h"

#include <gtest/gtest.h>

#include <set>

namespace nolt {
namespace {

QStringList curveLines(int (*f)(int))
{
    QStringList lines;
    for (int i = 0; i < curvePoints; ++i)
        lines.append(QString::number(f(i)));
    return lines;
}

Bytes curveOf(int (*f)(int))
{
    return readDimmingCurve(curveLines(f), {}).curve;
}

const Bytes identity = curveOf([](int i) { return i; });
const Bytes reverse = curveOf([](int i) { return 100 - i; });
// Maps 50 to 40 and nothing above 50 to 40.
const Bytes fiftyToForty = curveOf([](int i) { return i <= 50 ? i * 4 / 5 : i; });

TEST(CurveFile, NeedsExactly101LinesAndReportsWrongDataButStoresOutOfRangeNumbers)
{
    for (const int n : {0, 100, 102}) {
        QStringList lines = curveLines([](int i) { return i; });
        lines.resize(n, "0");
        const DimmingCurveRead r = readDimmingCurve(lines, Bytes(curvePoints, 7));
        EXPECT_EQ(r.error, "Error: Nr. of points is not 101!") << n;
        EXPECT_EQ(r.curve, Bytes(curvePoints, 7));
    }
    const DimmingCurveRead grown = readDimmingCurve({}, Bytes{9, 9});
    EXPECT_EQ(grown.curve.size(), 101u);
    EXPECT_EQ(grown.curve[1], 9);
    EXPECT_EQ(grown.curve[2], 0);

    const QString wrong = "Error: Wrong Data!";
    const struct {
        QString line;
        int stored; // 7: the entry keeps its earlier value
        QString error;
    } cases[] = {{"101", 101, wrong}, {"-1", 255, wrong}, {"300", 44, wrong}, {"word", 7, wrong},
                 {"", 7, wrong},      {"99999999999", 7, wrong}, {QString(QChar(0)), 7, wrong},
                 {"- 5", 7, wrong},   {"5 5", 7, wrong},
                 {" 5", 5, ""},       {"\t42  ", 42, ""}}; // blanks around the number do not count
    for (const auto& c : cases) {
        QStringList lines = curveLines([](int i) { return 100 - i; });
        lines[42] = c.line;
        const DimmingCurveRead r = readDimmingCurve(lines, Bytes(curvePoints, 7));
        EXPECT_EQ(r.error, c.error) << c.line.toStdString();
        EXPECT_EQ(r.curve[42], c.stored) << c.line.toStdString();
        EXPECT_EQ(r.curve[41], 59);
    }
}

TEST(CurveMapping, LevelsKeepTheirRelayBit)
{
    EXPECT_EQ(correctLevel(0xB2, fiftyToForty), 0xA8);
    EXPECT_EQ(uncorrectLevel(0xA8, fiftyToForty), 0xB2);
    EXPECT_EQ(correctLevel(0x7F, fiftyToForty), 100); // levels above 100 read as 100
    // On a flat stretch the highest input level wins; a level no point gives is kept as it is.
    EXPECT_EQ(uncorrectLevel(0x80, curveOf([](int i) { return i < 30 ? 0 : i; })), 0x80 | 29);
    EXPECT_EQ(uncorrectLevel(0x80 | 41, curveOf([](int i) { return i / 2 * 2; })), 0x80 | 41);
    EXPECT_EQ(correctLevel(0x32, {}), 0x32);
}

// Every candidate byte holds a level, except where a condition says it must not be mapped.
Bytes busyImage(std::uint8_t outputMode = img::outputPwm)
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::featureFlags] = outputMode;
    for (int i = 0; i < img::dimStepCount; ++i) {
        image[img::dim2FirstLevel + 3 * i] = i == 4 ? img::unusedStep : 10 + i;
        image[img::dim1FirstLevel + 3 * i] = i == 7 ? img::unusedStep : 0x80 | (20 + i);
    }
    const std::pair<int, int> levels[] = {
        {img::minLevel, 5}, {img::poLevel, 90}, {img::mffStart, 60}, {img::mffL1, 61},
        {img::mffL2, 62},   {img::mffL3, 63},   {img::mffStop, 64},  {img::tmT1, 70},
        {img::tmL1, 0x80 | 30}, {img::tmT2, 0}, {img::tmL2, 31},     {img::tmT3, 40},
        {img::tmL3, 32}};
    for (const auto& [offset, value] : levels)
        image[offset] = static_cast<std::uint8_t>(value);
    return image;
}

TEST(CurveMapping, MapsExactlyTheLevelBytesAndBack)
{
    Bytes image = busyImage();
    ASSERT_TRUE(correctDC(image, reverse));
    std::set<int> expected = {img::minLevel, img::poLevel, img::mffStart, img::mffStop, img::tmL1, img::tmL3};
    for (int i = 0; i < img::dimStepCount; ++i) {
        if (i != 4)
            expected.insert(img::dim2FirstLevel + 3 * i);
        if (i != 7)
            expected.insert(img::dim1FirstLevel + 3 * i);
    }
    std::set<int> changed;
    for (int i = 0; i < img::imageSize; ++i)
        if (image[i] != busyImage()[i])
            changed.insert(i);
    EXPECT_EQ(changed, expected);
    EXPECT_EQ(image[img::poLevel], 10);
    EXPECT_EQ(image[img::tmL1], 0x80 | 70);
    ASSERT_TRUE(invCorrectDC(image, reverse));
    EXPECT_EQ(image, busyImage());

    image[img::mffStart] = img::mffStartNotSet; // also leaves mffStop alone
    ASSERT_TRUE(correctDC(image, reverse));
    EXPECT_EQ(image[img::mffStart], img::mffStartNotSet);
    EXPECT_EQ(image[img::mffStop], 64);

    image = busyImage(img::output1To10V);
    ASSERT_TRUE(correctDC(image, identity));
    ASSERT_TRUE(invCorrectDC(image, identity));
    EXPECT_EQ(image, busyImage(img::output1To10V));
}

TEST(CurveMapping, DoesNotRunInDaliModesWithoutCurveOrOnShortImages)
{
    for (const std::uint8_t mode : {img::outputDaliLog, img::outputDaliLinear}) {
        Bytes image = busyImage(mode);
        EXPECT_FALSE(correctDC(image, fiftyToForty));
        EXPECT_FALSE(invCorrectDC(image, fiftyToForty));
        EXPECT_EQ(image, busyImage(mode));
    }
    Bytes image = busyImage();
    EXPECT_FALSE(correctDC(image, {}));
    EXPECT_FALSE(invCorrectDC(image, Bytes(50, 0)));
    EXPECT_EQ(image, busyImage());
    Bytes tiny(10, 0);
    EXPECT_FALSE(correctDC(tiny, identity));

    image.resize(img::stickImageSize, 0x32);
    ASSERT_TRUE(correctDC(image, fiftyToForty));
    EXPECT_EQ(Bytes(image.begin() + img::imageSize, image.end()), Bytes(128, 0x32));
}

} // namespace
} // namespace nolt
