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
    EXPECT_EQ(SetBit(0x81, 7), 0x81);
    EXPECT_EQ(ClearBit(0x00, 3), 0x00);
    // The shift count is taken modulo 32.
    EXPECT_TRUE(TestBit(0x01, 32));
    EXPECT_EQ(SetBit(0x00, 33), 0x02);
    EXPECT_EQ(boolToInt[false], 0);
    EXPECT_EQ(boolToInt[true], 1);
}

TEST(DefaultImage, ReadsAsTheFactoryConfiguration)
{
    const auto& d = defaultImage;
    EXPECT_EQ(d[img::featureFlags] & img::outputModeMask, img::output1To10V);
    EXPECT_TRUE(TestBit(d[img::featureFlags], img::bitIsdEnable));
    EXPECT_TRUE(TestBit(d[img::featureFlags], img::bitLstEnable));
    EXPECT_FALSE(TestBit(d[img::featureFlags], img::bitTmEnable));
    EXPECT_EQ(d[img::minLevel], 0);
    EXPECT_EQ(d[img::poLevel], 100);
    EXPECT_EQ(d[img::poDelay], img::poDelayRandom);
    EXPECT_EQ(d[img::dim2FirstLevel], 50);
    EXPECT_TRUE(TestBit(d[img::optionFlags], img::bitDstOff));
    EXPECT_EQ(d[img::optionFlags] & img::remoteFunctionMask, img::remoteNone);
    EXPECT_EQ(d[img::mffStart], img::mffStartNotSet);
    EXPECT_EQ(d[img::mffLifetime], 0);
    EXPECT_TRUE(TestBit(d[img::relayFlags], img::bitZcSwitch));
    EXPECT_EQ(d[img::tmT1], 0);
    EXPECT_EQ(d[img::tmCal], img::tmCalNone);
    EXPECT_EQ(d[96], 0x00);
    EXPECT_EQ(d[97], 0x00);
    for (int i = 98; i < img::imageSize; ++i)
        EXPECT_EQ(d[i], 0xFF) << i;
}

TEST(DefaultImage, EngineOneStepsShowTheirTimesAndLevels)
{
    const auto& d = defaultImage;
    const int step1 = img::dim1Steps;
    const int step2 = step1 + img::dimStepSize;
    const int step3 = step2 + img::dimStepSize;
    EXPECT_EQ(displayTime4(d[step1 + img::stepTime]), "22:00:00");
    EXPECT_EQ(d[step1 + img::stepLevel] & img::levelMask, 50);
    EXPECT_FALSE(TestBit(d[step1 + img::stepLevel], img::bitRelayOff));
    EXPECT_EQ(displayTime4(d[step2 + img::stepTime]), "05:00:00");
    EXPECT_EQ(d[step2 + img::stepLevel], 100);
    EXPECT_EQ(d[step3 + img::stepLevel], img::unusedStep);
}

TEST(DefaultImage, LoadKeepsBytesBeyond127)
{
    Bytes stick(img::stickImageSize, 0xAA);
    loadDefaultImage(stick);
    ASSERT_EQ(stick.size(), 256u);
    EXPECT_TRUE(std::equal(defaultImage.begin(), defaultImage.end(), stick.begin()));
    for (int i = img::imageSize; i < img::stickImageSize; ++i)
        EXPECT_EQ(stick[i], 0xAA) << i;

    Bytes empty;
    loadDefaultImage(empty);
    EXPECT_EQ(empty, Bytes(defaultImage.begin(), defaultImage.end()));
}

} // namespace
} // namespace nolt
