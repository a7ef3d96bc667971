// The block-time panel and its switch.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct BlockTimePanelTest : PanelTest {
    bool offPictures() const { return h->shown("Block_dis") && h->shown("sw_block_open"); }
};

} // namespace

TEST_F(BlockTimePanelTest, SwitchOnOpensThePanelAndWritesNothingUntilOk)
{
    const Bytes before = image();
    h->click("sw_block_open");
    EXPECT_TRUE(h->shown("pBlockTime"));
    EXPECT_TRUE(busy());
    EXPECT_EQ(edit("eBlockTime"), "0");
    EXPECT_FALSE(offPictures());
    EXPECT_TRUE(h->shown("SW_block_close"));
    EXPECT_FALSE(h->shown("pBTSlider"));
    h->click("bTBlockCancel");
    EXPECT_TRUE(offPictures());
    EXPECT_FALSE(busy());

    h->click("sw_block_open");
    h->click("bTBlockOK");
    EXPECT_TRUE(offPictures()) << "OK with 0 leaves the block time off";
    EXPECT_FALSE(h->shown("lBlock"));
    EXPECT_EQ(differences(image(), before), "");
}

TEST_F(BlockTimePanelTest, SliderStepsAreFiveSeconds)
{
    const Bytes before = image();
    const struct { int position; const char* text; } cases[] = {{12, "00:01:00"}, {255, "00:21:15"}};
    for (auto c : cases) {
        h->click("sw_block_open");
        h->click("eBlockTime");
        EXPECT_TRUE(h->shown("pBTSlider"));
        slide("sbBlockTime", c.position);
        EXPECT_EQ(edit("eBlockTime"), c.text);
        h->click("bTBlockOK");
        EXPECT_EQ(differences(image(), with(before, {{img::blockTime, std::uint8_t(c.position)}})), "");
        EXPECT_EQ(label("lBlock"), c.text);
        EXPECT_TRUE(h->shown("lBlock"));
        EXPECT_FALSE(offPictures());
        h->click("SW_block_close");
    }
}

TEST_F(BlockTimePanelTest, OpensWithTheStoredTime)
{
    load({{img::blockTime, 7}});
    h->click("lBlock");
    EXPECT_EQ(edit("eBlockTime"), "00:00:35");
    h->click("eBlockTime");
    EXPECT_EQ(slider("sbBlockTime")->position(), 7);
    slide("sbBlockTime", 0);
    h->click("bTBlockOK");
    EXPECT_EQ(image()[img::blockTime], 0);
    EXPECT_TRUE(offPictures());
    EXPECT_FALSE(h->shown("lBlock"));
}

TEST_F(BlockTimePanelTest, SwitchOffIsImmediate)
{
    load({{img::blockTime, 3}});
    const Bytes before = image();
    h->click("SW_block_close");
    EXPECT_EQ(differences(image(), with(before, {{img::blockTime, 0}})), "");
    EXPECT_TRUE(offPictures());
    EXPECT_FALSE(h->shown("lBlock"));
    EXPECT_FALSE(h->shown("pBlockTime"));
}
