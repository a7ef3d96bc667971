// The block-time panel and its switch.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

using BlockTimePanelTest = PanelTest;

TEST_F(BlockTimePanelTest, SwitchOnWritesNothingUntilOkAndZeroOrSwitchOffLeavesItOff)
{
    play({{{},
           {"sw_block_open", "?pBlockTime", "eBlockTime==0", "!Block_dis", "!sw_block_open", "?SW_block_close",
            "!pBTSlider", "bTBlockCancel", "?Block_dis", "?sw_block_open", "sw_block_open", "bTBlockOK",
            "?Block_dis", "?sw_block_open", "!lBlock"}},
          {{{img::blockTime, 7}},
           {"lBlock", "eBlockTime==00:00:35", "eBlockTime", "sbBlockTime==7", "sbBlockTime=0", "bTBlockOK",
            "?Block_dis", "?sw_block_open", "!lBlock"},
           {{img::blockTime, 0}}},
          {{{img::blockTime, 3}}, {"SW_block_close", "?Block_dis", "?sw_block_open", "!lBlock", "!pBlockTime"},
           {{img::blockTime, 0}}}});
}
