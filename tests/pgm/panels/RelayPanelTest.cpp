// The relay panel: OK writes the zero-cross bit and nothing else.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

TEST_F(PanelTest, RelayOkWritesOnlyTheZeroCrossBit)
{
    load({{img::relayFlags, 0xF1}});
    const Bytes before = image();
    for (const bool on : {false, true}) {
        click("iRelay");
        EXPECT_TRUE(shown("pRelay") && busy());
        EXPECT_EQ(ticked("cbZCSwitch"), !on);
        tick("cbZCSwitch", on);
        click("bRelay_OK");
        EXPECT_EQ(differences(image(), with(before, {{img::relayFlags, std::uint8_t(on ? 0xF1 : 0xF0)}})), "");
        EXPECT_FALSE(shown("pRelay") || busy());
    }
}
