// The block-time switch: shown off, a click uncovers the tile and opens the panel; Cancel covers it again.

#include "PanelTesting.h"

using BlockTimeTest = PanelTest;

TEST_F(BlockTimeTest, SwitchingOnUncoversTheTileAndOpensThePanel)
{
    play({{{{img::blockTime, 0}},
           {"?Block_dis", "?sw_block_open", "sw_block_open", "!Block_dis", "!sw_block_open", "?SW_block_close",
            "?pBlockTime", "bTBlockCancel", "?Block_dis", "?sw_block_open"}}});
}
