// The power-on panel, driven through its controls on a started window.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct PowerOnPanelTest : PanelTest {
    void open() { h->click("iTDpc_en"); }
    int range() const { return h->find<QComboBox>("combRange")->currentIndex(); }
    int position() const { return slider("sbPU")->position(); }
    bool dpcEnabled() const { return h->find<QCheckBox>("cbEnableDPC")->isEnabled(); }
};

} // namespace

TEST_F(PowerOnPanelTest, FactoryImageOpensWithRandomDelay)
{
    open();
    EXPECT_TRUE(h->shown("pStartupDelay"));
    EXPECT_TRUE(busy());
    EXPECT_EQ(edit("ePORelayDelay"), "Random");
    EXPECT_FALSE(h->find<QLineEdit>("ePORelayDelay")->isEnabled());
    EXPECT_TRUE(ticked("cbRandom"));
    EXPECT_EQ(edit("ePOFade"), "0");
    EXPECT_EQ(edit("ePOLevel"), "100");
    EXPECT_TRUE(dpcEnabled());
    EXPECT_FALSE(ticked("cbEnableDPC"));
    EXPECT_FALSE(h->shown("pPOSlider"));
}

TEST_F(PowerOnPanelTest, DurationsOpenInTheRangeThatHoldsThem)
{
    // 59 s, 60 s and 3600 s as delays; 3600 thousandths as a fade.
    struct { int field; std::uint8_t code; const char* edit; const char* text; int range, position; } cases[] = {
        {img::poDelay, 59, "ePORelayDelay", "00:00:59", 0, 59},
        {img::poDelay, 60, "ePORelayDelay", "00:01:00", 1, 6},
        {img::poDelay, 0x80 | 60, "ePORelayDelay", "01:00:00", 3, 4},
        {img::poFade, 0x80 | 60, "ePOFade", "03,600", 3, 6},
    };
    for (auto c : cases) {
        load({{c.field, c.code}});
        open();
        h->click(c.edit);
        EXPECT_TRUE(h->shown("pPOSlider"));
        EXPECT_TRUE(h->shown("combRange"));
        EXPECT_EQ(edit(c.edit), c.text);
        EXPECT_EQ(range(), c.range) << c.text;
        EXPECT_EQ(position(), c.position) << c.text;
        h->click("bDPC_Cancel");
    }
}

TEST_F(PowerOnPanelTest, RangeChoiceRoundsToTheNearestStepHalvesUp)
{
    load({{img::poFade, 45}, {img::poLevel, 12}});
    open();
    h->click("ePOFade");
    chooseRange("combRange", 1);
    EXPECT_EQ(edit("ePOFade"), "00,050");
    EXPECT_EQ(position(), 5);

    // A fade between two steps of range 1: the level edit leaves the slider
    // at 12, where 125 opens, so opening keeps the text.
    h->click("ePOLevel");
    h->find<QLineEdit>("ePOFade")->setText("00,125");
    h->click("ePOFade");
    EXPECT_EQ(edit("ePOFade"), "00,125");
    chooseRange("combRange", 1);
    EXPECT_EQ(edit("ePOFade"), "00,130");
    EXPECT_EQ(position(), 13);
}

TEST_F(PowerOnPanelTest, OkWritesExactlyTheFourFields)
{
    load({{img::poDelay, 0}});
    const Bytes before = image();
    open();
    h->click("ePORelayDelay");
    chooseRange("combRange", 2);
    slide("sbPU", 15);
    EXPECT_EQ(edit("ePORelayDelay"), "00:15:00");
    h->click("ePOFade");
    chooseRange("combRange", 3);
    slide("sbPU", 7);
    EXPECT_EQ(edit("ePOFade"), "04,200");
    h->click("ePOLevel");
    slide("sbPU", 35);
    tick("cbEnableDPC", true);
    h->click("bDPC_OK");

    EXPECT_FALSE(busy());
    EXPECT_FALSE(h->shown("pStartupDelay"));
    EXPECT_EQ(differences(image(), with(before, {{img::poLevel, 35}, {img::poDelay, 143}, {img::poFade, 196},
                                                 {img::optionFlags, before[img::optionFlags] | 0x02}})),
              "");
    EXPECT_EQ(label("lPO_Delay"), "D=00:15:00");
    EXPECT_EQ(label("lPO_Fade"), "F=04,200");
    EXPECT_EQ(label("lPO_Level"), "L=35%");
    EXPECT_FALSE(h->find<ClickEdit>("ePOLevel")->isEdited());

    // The fade code keeps whole units of 900 above 3780.
    open();
    EXPECT_EQ(edit("ePOFade"), "03,600");
    EXPECT_EQ(edit("ePORelayDelay"), "00:15:00");
}

TEST_F(PowerOnPanelTest, RandomIsWrittenAtOnceAndCancelShowsIt)
{
    load({{img::poDelay, 10}});
    open();
    EXPECT_FALSE(ticked("cbRandom"));
    h->click("ePORelayDelay");
    tick("cbRandom", true);
    EXPECT_EQ(image()[img::poDelay], 0xFF);
    EXPECT_EQ(edit("ePORelayDelay"), "Random");
    EXPECT_FALSE(h->shown("pPOSlider"));
    h->click("bDPC_Cancel");
    EXPECT_EQ(image()[img::poDelay], 0xFF);
    EXPECT_EQ(label("lPO_Delay"), "D=Random");

    open();
    EXPECT_TRUE(ticked("cbRandom"));
    tick("cbRandom", false);
    EXPECT_EQ(image()[img::poDelay], 0);
    EXPECT_EQ(edit("ePORelayDelay"), "0");
    EXPECT_FALSE(dpcEnabled());
    EXPECT_FALSE(ticked("cbEnableDPC"));
    h->click("bDPC_Cancel");
    EXPECT_EQ(label("lPO_Delay"), "D=0");
}

TEST_F(PowerOnPanelTest, DpcNeedsADelay)
{
    load({{img::poDelay, 0}, {img::optionFlags, 0x02}});
    open();
    EXPECT_FALSE(dpcEnabled());
    EXPECT_FALSE(ticked("cbEnableDPC"));
    h->click("bDPC_OK");
    EXPECT_EQ(image()[img::optionFlags], 0);

    load({{img::poDelay, 5}, {img::optionFlags, 0x02}});
    open();
    EXPECT_TRUE(ticked("cbEnableDPC"));
    h->click("ePORelayDelay");
    slide("sbPU", 0);
    EXPECT_FALSE(dpcEnabled());
    EXPECT_FALSE(ticked("cbEnableDPC"));
    slide("sbPU", 3);
    EXPECT_TRUE(dpcEnabled());
    EXPECT_FALSE(ticked("cbEnableDPC"));
}

TEST_F(PowerOnPanelTest, LevelsOutsideTheValidRangeAreLimitedOnlyWhenEdited)
{
    // No valid level range: the minimum level lies above 100.
    load({{img::minLevel, 200}, {img::poLevel, 250}});
    open();
    EXPECT_EQ(edit("ePOLevel"), "250");
    h->click("ePOLevel");
    EXPECT_EQ(edit("ePOLevel"), "100");
    EXPECT_EQ(slider("sbPU")->minimum(), 100);
    h->click("bDPC_OK");
    EXPECT_EQ(image()[img::poLevel], 100);
    EXPECT_EQ(image()[img::minLevel], 200);

    load({{img::minLevel, 30}, {img::poLevel, 20}});
    open();
    EXPECT_EQ(edit("ePOLevel"), "20");
    h->click("ePOLevel");
    EXPECT_EQ(edit("ePOLevel"), "30");
}

TEST_F(PowerOnPanelTest, AClickOnTheTrackMovesTheSliderByOneStep)
{
    load({{img::poDelay, 30}});
    open();
    h->click("ePORelayDelay");
    ScrollBar* sb = slider("sbPU");
    const struct { int x, position; const char* text; } cases[] = {
        {sb->width() - 25, 31, "00:00:31"}, {sb->width() - 25, 32, "00:00:32"}, {25, 31, "00:00:31"}};
    for (const auto& c : cases) {
        QTest::mouseClick(sb, Qt::LeftButton, {}, QPoint(c.x, sb->height() / 2));
        EXPECT_EQ(position(), c.position);
        EXPECT_EQ(edit("ePORelayDelay"), c.text);
    }
}
