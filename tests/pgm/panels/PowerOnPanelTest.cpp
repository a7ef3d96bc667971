// The power-on panel: the slider's ranges, the random delay, the DPC box and the level's limits.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct PowerOnPanelTest : PanelTest {
    bool dpcEnabled() const { return h->find("cbEnableDPC")->isEnabled(); }
};

} // namespace

TEST_F(PowerOnPanelTest, FactoryImageOpensWithRandomDelay)
{
    act({"iTDpc_en", "?pStartupDelay", "ePORelayDelay==Random", "cbRandom==+", "ePOFade==0", "ePOLevel==100",
         "cbEnableDPC==-", "!pPOSlider"});
    EXPECT_TRUE(busy());
    EXPECT_FALSE(h->find("ePORelayDelay")->isEnabled());
    EXPECT_TRUE(dpcEnabled());
}

// A duration opens in the range that holds it; choosing a range rounds to its nearest step, halves up.
TEST_F(PowerOnPanelTest, SliderRangesHoldTheDurationAndRoundHalvesUp)
{
    play({{{{img::poDelay, 60}},
           {"iTDpc_en", "ePORelayDelay", "?pPOSlider", "?combRange", "ePORelayDelay==00:01:00", "combRange==1",
            "sbPU==6", "bDPC_Cancel"}},
          {{{img::poDelay, 0x80 | 60}},
           {"iTDpc_en", "ePORelayDelay", "ePORelayDelay==01:00:00", "combRange==3", "sbPU==4", "bDPC_Cancel"}},
          {{{img::poFade, 0x80 | 60}}, {"iTDpc_en", "ePOFade", "ePOFade==03,600", "combRange==3", "sbPU==6", "bDPC_Cancel"}},
          {{{img::poFade, 45}}, {"iTDpc_en", "ePOFade", "combRange=1", "ePOFade==00,050", "sbPU==5", "bDPC_Cancel"}}});
    // A fade between two steps of range 1: the level edit leaves the slider at 12, where 125 opens, so
    // opening keeps the text.
    load({{img::poLevel, 12}});
    act({"iTDpc_en", "ePOLevel"});
    h->find<QLineEdit>("ePOFade")->setText("00,125");
    act({"ePOFade", "ePOFade==00,125", "combRange=1", "ePOFade==00,130", "sbPU==13"});
}

TEST_F(PowerOnPanelTest, RandomIsWrittenAtOnceAndCancelShowsIt)
{
    load({{img::poDelay, 10}});
    act({"iTDpc_en", "cbRandom==-", "ePORelayDelay", "cbRandom+", "ePORelayDelay==Random", "!pPOSlider"});
    EXPECT_EQ(image()[img::poDelay], 0xFF);
    act({"bDPC_Cancel", "lPO_Delay==D=Random", "iTDpc_en", "cbRandom==+", "cbRandom-"});
    EXPECT_EQ(image()[img::poDelay], 0);
    act({"ePORelayDelay==0", "cbEnableDPC==-"});
    EXPECT_FALSE(dpcEnabled());
    act({"bDPC_Cancel", "lPO_Delay==D=0"});
    EXPECT_EQ(image()[img::poDelay], 0);
}

TEST_F(PowerOnPanelTest, DpcNeedsADelay)
{
    load({{img::poDelay, 0}, {img::optionFlags, 0x02}});
    act({"iTDpc_en", "cbEnableDPC==-"});
    EXPECT_FALSE(dpcEnabled());
    act({"bDPC_OK"});
    EXPECT_EQ(image()[img::optionFlags], 0);

    load({{img::poDelay, 5}, {img::optionFlags, 0x02}});
    act({"iTDpc_en", "cbEnableDPC==+", "ePORelayDelay", "sbPU=0", "cbEnableDPC==-"});
    EXPECT_FALSE(dpcEnabled());
    act({"sbPU=3", "cbEnableDPC==-"});
    EXPECT_TRUE(dpcEnabled());
}

TEST_F(PowerOnPanelTest, LevelsOutsideTheValidRangeAreLimitedOnlyWhenEdited)
{
    // No valid level range, the minimum level lying above 100: the slider refuses a maximum below its minimum.
    load({{img::minLevel, 200}, {img::poLevel, 250}});
    act({"iTDpc_en", "ePOLevel==250", "ePOLevel", "ePOLevel==100"});
    EXPECT_EQ(slider("sbPU")->minimum(), 100);
    act({"bDPC_OK"});
    EXPECT_EQ(image()[img::poLevel], 100);
    EXPECT_EQ(image()[img::minLevel], 200);
    load({{img::minLevel, 30}, {img::poLevel, 20}});
    act({"iTDpc_en", "ePOLevel==20", "ePOLevel", "ePOLevel==30"});
}

TEST_F(PowerOnPanelTest, AClickOnTheTrackMovesTheSliderByOneStep)
{
    load({{img::poDelay, 30}});
    act({"iTDpc_en", "ePORelayDelay"});
    ScrollBar* sb = slider("sbPU");
    const struct { int x, position; const char* shows; } cases[] = {
        {sb->width() - 25, 31, "00:00:31"}, {sb->width() - 25, 32, "00:00:32"}, {25, 31, "00:00:31"}};
    for (const auto& c : cases) {
        QTest::mouseClick(sb, Qt::LeftButton, {}, QPoint(c.x, sb->height() / 2));
        EXPECT_EQ(sb->position(), c.position);
        EXPECT_EQ(edit("ePORelayDelay"), c.shows);
    }
}
