// The relay panel.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {
struct RelayPanelTest : PanelTest {};
} // namespace

TEST_F(RelayPanelTest, OkWritesOnlyTheZeroCrossBit)
{
    load({{img::relayFlags, 0xF1}});
    const Bytes before = image();
    h->click("iRelay");
    EXPECT_TRUE(h->shown("pRelay"));
    EXPECT_TRUE(busy());
    EXPECT_TRUE(ticked("cbZCSwitch"));
    tick("cbZCSwitch", false);
    h->click("bRelay_Cancel");
    EXPECT_EQ(differences(image(), before), "");
    EXPECT_FALSE(busy());

    h->click("iRelay");
    EXPECT_TRUE(ticked("cbZCSwitch")) << "filled from the image again";
    tick("cbZCSwitch", false);
    h->click("bRelay_OK");
    EXPECT_EQ(differences(image(), with(before, {{img::relayFlags, 0xF0}})), "");
    EXPECT_FALSE(h->shown("pRelay"));

    h->click("iRelay");
    EXPECT_FALSE(ticked("cbZCSwitch"));
    tick("cbZCSwitch", true);
    h->click("bRelay_OK");
    EXPECT_EQ(image()[img::relayFlags], 0xF1);
}
