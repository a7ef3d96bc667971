#include "image/DimmingCurve.h"

#include <gtest/gtest.h>

#include <set>

namespace nolt {
namespace {

QStringList curveLines(const std::function<int(int)>& f)
{
    QStringList lines;
    for (int i = 0; i < curvePoints; ++i)
        lines.append(QString::number(f(i)));
    return lines;
}

Bytes curveOf(const std::function<int(int)>& f)
{
    const DimmingCurveRead r = readDimmingCurve(curveLines(f), {});
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    return r.curve;
}

const Bytes identity = curveOf([](int i) { return i; });
// Maps 50 to 40 and nothing above 50 to 40.
const Bytes fiftyToForty = curveOf([](int i) { return i <= 50 ? i * 4 / 5 : i; });

TEST(CurveFile, NeedsExactly101Lines)
{
    const Bytes previous(curvePoints, 7);
    for (const int n : {0, 100, 102}) {
        QStringList lines = curveLines([](int i) { return i; }).mid(0, std::min(n, curvePoints));
        while (lines.size() < n)
            lines.append("0");
        const DimmingCurveRead r = readDimmingCurve(lines, previous);
        EXPECT_EQ(r.error, "Error: Nr. of points is not 101!") << n;
        EXPECT_EQ(r.curve, previous);
    }
    const DimmingCurveRead grown = readDimmingCurve({}, Bytes{9, 9});
    ASSERT_EQ(grown.curve.size(), 101u);
    EXPECT_EQ(grown.curve[1], 9);
    EXPECT_EQ(grown.curve[2], 0);
}

TEST(CurveFile, WrongDataIsReportedButOutOfRangeNumbersAreStored)
{
    const Bytes previous(curvePoints, 7);
    const struct {
        QString line;
        int stored;
    } cases[] = {{"101", 101}, {"-1", 255}, {"300", 44}, {"word", 7}, {"", 7}, {" 5", 7},
                 {"99999999999", 7}, {QString(QChar(0)), 7}};
    for (const auto& c : cases) {
        QStringList lines = curveLines([](int i) { return 100 - i; });
        lines[42] = c.line;
        const DimmingCurveRead r = readDimmingCurve(lines, previous);
        EXPECT_EQ(r.error, "Error: Wrong Data!") << c.line.toStdString();
        EXPECT_EQ(r.curve[42], c.stored) << c.line.toStdString();
        EXPECT_EQ(r.curve[41], 59);
    }
    EXPECT_TRUE(readDimmingCurve(curveLines([](int i) { return i % 2 ? 0 : 100; }), {}).ok());
}

TEST(CurveMapping, LevelsKeepTheirRelayBit)
{
    EXPECT_EQ(correctLevel(0xB2, fiftyToForty), 0xA8);
    EXPECT_EQ(uncorrectLevel(0xA8, fiftyToForty), 0xB2);
    EXPECT_EQ(correctLevel(50, fiftyToForty), 40);
    EXPECT_EQ(correctLevel(0x7F, fiftyToForty), 100); // levels above 100 read as 100
    // On a flat stretch the highest input level wins.
    const Bytes flat = curveOf([](int i) { return i < 30 ? 0 : i; });
    EXPECT_EQ(uncorrectLevel(0x80, flat), 0x80 | 29);
    // A level no point gives is kept as it is.
    const Bytes even = curveOf([](int i) { return i / 2 * 2; });
    EXPECT_EQ(uncorrectLevel(0x80 | 41, even), 0x80 | 41);
    // Without a curve nothing is mapped.
    EXPECT_EQ(correctLevel(0x32, {}), 0x32);
    EXPECT_EQ(uncorrectLevel(0x32, {}), 0x32);
}

// An image in which every candidate byte holds a level, except where a
// condition says it must not be mapped.
Bytes busyImage()
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::featureFlags] = img::outputPwm;
    for (int i = 0; i < img::dimStepCount; ++i) {
        image[img::dim2FirstLevel + 3 * i] = i == 4 ? img::unusedStep : 10 + i;
        image[img::dim1FirstLevel + 3 * i] = i == 7 ? img::unusedStep : 0x80 | (20 + i);
    }
    image[img::minLevel] = 5;
    image[img::poLevel] = 90;
    image[img::mffStart] = 60;
    image[img::mffL1] = 61;
    image[img::mffL2] = 62;
    image[img::mffL3] = 63;
    image[img::mffStop] = 64;
    image[img::tmT1] = 70;
    image[img::tmL1] = 0x80 | 30;
    image[img::tmT2] = 0;
    image[img::tmL2] = 31;
    image[img::tmT3] = 40;
    image[img::tmL3] = 32;
    return image;
}

std::set<int> changedBytes(const Bytes& a, const Bytes& b)
{
    std::set<int> changed;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            changed.insert(static_cast<int>(i));
    return changed;
}

TEST(CurveMapping, MapsExactlyTheLevelBytes)
{
    const Bytes reverse = curveOf([](int i) { return 100 - i; });
    const Bytes before = busyImage();
    Bytes image = before;
    ASSERT_TRUE(correctDC(image, reverse));

    std::set<int> expected = {img::minLevel, img::poLevel, img::mffStart, img::mffStop,
                              img::tmL1, img::tmL3};
    for (int i = 0; i < img::dimStepCount; ++i) {
        if (i != 4)
            expected.insert(img::dim2FirstLevel + 3 * i);
        if (i != 7)
            expected.insert(img::dim1FirstLevel + 3 * i);
    }
    EXPECT_EQ(changedBytes(before, image), expected);
    EXPECT_EQ(image[img::poLevel], 10);
    EXPECT_EQ(image[img::tmL1], 0x80 | 70);
    EXPECT_EQ(image[img::dim1FirstLevel], 0x80 | 80);

    ASSERT_TRUE(invCorrectDC(image, reverse));
    EXPECT_EQ(image, before);
}

TEST(CurveMapping, UnsetMffStartLeavesMffStopAlone)
{
    Bytes image = busyImage();
    image[img::mffStart] = img::mffStartNotSet;
    ASSERT_TRUE(correctDC(image, fiftyToForty));
    EXPECT_EQ(image[img::mffStart], img::mffStartNotSet);
    EXPECT_EQ(image[img::mffStop], 64);
}

TEST(CurveMapping, IdentityCurveChangesNothing)
{
    Bytes image = busyImage();
    ASSERT_TRUE(correctDC(image, identity));
    EXPECT_EQ(image, busyImage());
    ASSERT_TRUE(invCorrectDC(image, identity));
    EXPECT_EQ(image, busyImage());
}

TEST(CurveMapping, DoesNotRunInDaliModesWithoutCurveOrOnShortImages)
{
    for (const std::uint8_t mode : {img::outputDaliLog, img::outputDaliLinear}) {
        Bytes image = busyImage();
        image[img::featureFlags] = mode;
        EXPECT_FALSE(correctDC(image, fiftyToForty));
        EXPECT_FALSE(invCorrectDC(image, fiftyToForty));
        Bytes expected = busyImage();
        expected[img::featureFlags] = mode;
        EXPECT_EQ(image, expected);
    }
    Bytes image = busyImage();
    image[img::featureFlags] = img::output1To10V;
    EXPECT_TRUE(correctDC(image, fiftyToForty));

    Bytes unchanged = busyImage();
    EXPECT_FALSE(correctDC(unchanged, {}));
    EXPECT_FALSE(invCorrectDC(unchanged, Bytes(50, 0)));
    EXPECT_EQ(unchanged, busyImage());
    Bytes tiny(10, 0);
    EXPECT_FALSE(correctDC(tiny, identity));
}

TEST(CurveMapping, StickImagesKeepTheirUpperBytes)
{
    Bytes image = busyImage();
    image.resize(img::stickImageSize, 0x32);
    ASSERT_TRUE(correctDC(image, fiftyToForty));
    for (int i = img::imageSize; i < img::stickImageSize; ++i)
        EXPECT_EQ(image[i], 0x32) << i;
}

} // namespace
} // namespace nolt
