#include "image/ConfigImage.h"
#include "image/TimeCodes.h"

#include <gtest/gtest.h>

namespace nolt {
namespace {

TEST(BitHelpers, SetClearAndTestSingleBits)
{
    EXPECT_TRUE(TestBit(0x0C, 2));
    EXPECT_TRUE(TestBit(0x0C, 3));
    EXPECT_FALSE(TestBit(0x0C, 0));
    EXPECT_EQ(SetBit(0x01, 7), 0x81);
    EXPECT_EQ(ClearBit(0xFF, 0), 0xFE);
    EXPECT_TRUE(TestBit(0x01, 32)); // the shift count is taken modulo 32
    EXPECT_EQ(boolToInt[true], 1);
}

TEST(DefaultImage, ReadsAsTheFactoryConfiguration)
{
    const auto& d = defaultImage;
    EXPECT_EQ(d[img::featureFlags] & img::outputModeMask, img::output1To10V);
    EXPECT_EQ(d[img::poDelay], img::poDelayRandom);
    EXPECT_TRUE(TestBit(d[img::optionFlags], img::bitDstOff));
    EXPECT_TRUE(TestBit(d[img::relayFlags], img::bitZcSwitch));
    EXPECT_EQ(d[img::mffStart], img::mffStartNotSet);
    EXPECT_EQ(d[img::tmCal], img::tmCalNone);
    // Engine 1: step 1 at 22:00 to 50 % with the relay on; step 3 unused.
    const int step1 = img::dim1Steps;
    EXPECT_EQ(displayTime4(d[step1 + img::stepTime]), "22:00:00");
    EXPECT_EQ(d[step1 + img::stepLevel], 50);
    EXPECT_EQ(d[step1 + 2 * img::dimStepSize + img::stepLevel], img::unusedStep);
}

TEST(DefaultImage, LoadKeepsBytesBeyond127)
{
    Bytes stick(img::stickImageSize, 0xAA);
    loadDefaultImage(stick);
    Bytes expected(defaultImage.begin(), defaultImage.end());
    expected.resize(img::stickImageSize, 0xAA);
    EXPECT_EQ(stick, expected);

    Bytes empty;
    loadDefaultImage(empty);
    EXPECT_EQ(empty, Bytes(defaultImage.begin(), defaultImage.end()));
}

} // namespace
} // namespace nolt
