// The block-time switch: shown off, a click uncovers the tile and opens the panel; Cancel covers it again.

#include "PanelTesting.h"

using BlockTimeTest = PanelTest;

TEST_F(BlockTimeTest, SwitchingOnUncoversTheTileAndOpensThePanel)
{
    play({{{{img::blockTime, 0}},
           {"?Block_dis", "?sw_block_open", "sw_block_open", "!Block_dis", "!sw_block_open", "?SW_block_close",
            "?pBlockTime", "bTBlockCancel", "?Block_dis", "?sw_block_open"}}});
}

// A click on the time brings the slider standing at the stored time (7 steps of 5 s); Cancel takes the slider
// away, so the next opening comes without it again.
TEST_F(BlockTimeTest, TheSliderStandsAtTheStoredTimeAndGoesWithCancel)
{
    play({{{{img::blockTime, 7}},
           {"iTBlock_en", "!pBTSlider", "eBlockTime==00:00:35", "eBlockTime", "?pBTSlider", "sbBlockTime==7",
            "bTBlockCancel", "!pBlockTime", "iTBlock_en", "!pBTSlider", "eBlockTime==00:00:35", "bTBlockCancel"}}});
    EXPECT_EQ(std::pair(slider("sbBlockTime")->minimum(), slider("sbBlockTime")->maximum()), std::pair(0, 255))
        << "the byte's range, up to 00:21:15";
}

// Switched on from off, OK shows the time's label and takes the slider away with the panel; a file without block
// time hides the label again.
TEST_F(BlockTimeTest, TheLabelComesWithOkAndGoesWithAFileWithoutBlockTime)
{
    play({{{{img::blockTime, 0}},
           {"!lBlock", "sw_block_open", "eBlockTime", "sbBlockTime=12", "bTBlockOK", "?lBlock", "lBlock==00:01:00",
            "@lBlock", "?pBlockTime", "!pBTSlider", "bTBlockCancel"},
           {{img::blockTime, 12}}}});
    load({{img::blockTime, 0}});
    act({"!lBlock", "?Block_dis", "?sw_block_open"});
}
