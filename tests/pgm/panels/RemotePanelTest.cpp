// The remote-control switch, tile and panel, and Remote DIM's hold on the
// LST timer and ISD. Byte 0: 0x20 the 230 V input, 0x40 the LST input, 0x0C
// the LST timer and ISD on. Byte 68: the function in the high nibble; the
// other features' bits 0x0B below it stay as they are.

#include "PanelTesting.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace nolt;
using namespace nolt::test;

namespace {

struct RemotePanelTest : PanelTest {
    void load(std::uint8_t flags, std::uint8_t options)
    {
        PanelTest::load({{img::featureFlags, flags}, {img::optionFlags, options}});
    }
    // How the image differs from the factory one with bytes 0 and 68 as given.
    std::string differsFrom(std::uint8_t flags, std::uint8_t options) const
    {
        const Bytes factory(defaultImage.begin(), defaultImage.end());
        return differences(image(), with(factory, {{img::featureFlags, flags}, {img::optionFlags, options}}));
    }
    bool ticked(const char* name) const { return h->find<QRadioButton>(name)->isChecked(); }
    QString caption() const { return h->find<QGroupBox>("gbRemote")->title(); }
};

} // namespace

// Off -> 230 V -> LST moves the switch and names the input; LST -> off
// clears both inputs and the function.
TEST_F(RemotePanelTest, SwitchCyclesAndOnlyOffWrites)
{
    load(0x0C, 0x0B);
    clickOnScreen("rc_off");
    EXPECT_TRUE(shown("rc_main") && !shown("rem_dis"));
    EXPECT_EQ(caption(), "Remote Control, Input=230V");
    clickOnScreen("rc_main");
    EXPECT_TRUE(shown("rc_lst") && !shown("rc_main"));
    EXPECT_EQ(caption(), "Remote Control, Input=LST");
    EXPECT_EQ(differsFrom(0x0C, 0x0B), "");

    load(0x6C, 0x3B); // both inputs: 230 V
    clickOnScreen("rc_main");
    clickOnScreen("rc_lst");
    EXPECT_TRUE(shown("rc_off") && shown("rem_dis") && !shown("lRemote"));
    EXPECT_EQ(differsFrom(0x0C, 0x0B), "");
}

TEST_F(RemotePanelTest, OkWritesFunctionAndInput)
{
    load(0x0C, 0x0B);
    clickOnScreen("rc_off");
    clickOnScreen("iRemote_en");
    EXPECT_EQ(h->find<QRadioButton>("rbRemote")->text(), "MidNight Protect");
    h->find<QRadioButton>("rbRemote")->click();
    click("bRC_OK");
    EXPECT_EQ(differsFrom(0x2C, 0x3B), "");
    EXPECT_EQ(label("lRemote"), "MidNight Protect");
    EXPECT_FALSE(shown("pRemote") || busy());

    // MidNight moves with the switch to the LST input.
    load(0x2C, 0x1B);
    clickOnScreen("rc_main");
    clickOnScreen("lRemote"); // hidden by the move: the tile takes the click
    EXPECT_TRUE(ticked("rbMN"));
    click("bRC_OK");
    EXPECT_EQ(differsFrom(0x4C, 0x1B), "");
    EXPECT_EQ(label("lRemote"), "MidNight");
}

// Remote DIM takes the LST input: the LST timer and ISD go off and stay off
// while it holds. Off ends it; the timers stay off until switched on.
TEST_F(RemotePanelTest, RemoteDimKeepsLstTimerAndIsdOff)
{
    load(0x0C, 0x0B);
    clickOnScreen("rc_off");
    clickOnScreen("rc_main");
    clickOnScreen("iRemote_en");
    EXPECT_EQ(h->find<QRadioButton>("rbRemote")->text(), "Remote DIM");
    h->find<QRadioButton>("rbRemote")->click();
    click("bRC_OK");
    EXPECT_EQ(label("lRemote"), "Remote DIM");
    EXPECT_TRUE(shown("LST_dis") && shown("Astro_dis"));
    clickOnScreen("sw_lst_open");
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(differsFrom(0x40, 0x2B), "");
    clickOnScreen("rc_lst");
    EXPECT_EQ(differsFrom(0x00, 0x0B), "");
    clickOnScreen("sw_lst_open");
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(differsFrom(0x0C, 0x0B), "");
}

// On the LST input a refresh opens the panel, its caption naming that input
// whatever the switch was last clicked to; while busy only the buttons follow.
TEST_F(RemotePanelTest, RefreshOnTheLstInputOpensThePanel)
{
    clickOnScreen("rc_off");
    load(0x4C, 0x2B);
    EXPECT_TRUE(shown("pRemote") && busy() && h->state().remoteDim && ticked("rbRemote"));
    EXPECT_EQ(caption(), "Remote Control, Input=LST");
    EXPECT_EQ(label("lRemote"), "Remote DIM");
    clickOnScreen("SW_astro_close");
    clickOnScreen("SW_lst_close");
    click("bRemoteCancel");
    EXPECT_EQ(differsFrom(0x4C, 0x2B), "");

    h->state().formDisabled = true;
    load(0x4C, 0x1B);
    EXPECT_FALSE(shown("pRemote") || h->state().remoteDim);
    EXPECT_TRUE(ticked("rbMN"));
}

// Function nibbles as files and devices may hold them: a known one ticks its
// button and stays; any other, or none, switches remote control off.
TEST_F(RemotePanelTest, FunctionNibblesOnBothInputs)
{
    const struct { std::uint8_t flags, options; bool mn, remote, ok; std::uint8_t flagsAfter, optionsAfter; } rows[] = {
        {0x2C, 0x0B, false, false, true, 0x0C, 0x0B}, {0x2C, 0x1B, true, false, true, 0x2C, 0x1B},
        {0x2C, 0x2B, false, false, true, 0x0C, 0x0B}, {0x2C, 0x3B, false, true, false, 0x2C, 0x3B},
        {0x2C, 0x3B, false, true, true, 0x2C, 0x3B},  {0x2C, 0xFB, false, false, false, 0x0C, 0x0B},
        {0x4C, 0x1B, true, false, false, 0x4C, 0x1B}, {0x4C, 0x2B, false, true, false, 0x4C, 0x2B},
        {0x4C, 0x2B, false, true, true, 0x40, 0x2B},  {0x4C, 0x3B, false, false, true, 0x0C, 0x0B},
        {0x4C, 0x5B, false, false, false, 0x0C, 0x0B},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << int(r.flags) << " " << int(r.options) << " ok " << r.ok);
        h->state().formDisabled = true;
        load(r.flags, r.options);
        h->state().formDisabled = false;
        clickOnScreen("iRemote_en");
        EXPECT_EQ(ticked("rbMN"), r.mn);
        EXPECT_EQ(ticked("rbRemote"), r.remote);
        click(r.ok ? "bRC_OK" : "bRemoteCancel");
        EXPECT_EQ(differsFrom(r.flagsAfter, r.optionsAfter), "");
    }
}
