// The remote-control switch, tile and panel, and Remote DIM's hold on the
// LST timer and ISD.

#include "PanelTesting.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr std::uint8_t mains = 0x20, lst = 0x40, timers = 0x0C; // feature flags
constexpr std::uint8_t lowNibble = 0x0B; // bits of other features in byte 68

struct RemotePanelTest : PanelTest {
    void load(std::uint8_t input, std::uint8_t function)
    {
        PanelTest::load({{img::featureFlags, std::uint8_t(timers | input)}, {img::optionFlags, std::uint8_t(function | lowNibble)}});
    }
    // The image as it should be.
    Bytes image(std::uint8_t flags, std::uint8_t function)
    {
        Bytes e(defaultImage.begin(), defaultImage.end());
        e[img::featureFlags] = flags;
        e[img::optionFlags] = function | lowNibble;
        return e;
    }
    QRadioButton* rbMN() { return h->find<QRadioButton>("rbMN"); }
    QRadioButton* rbRemote() { return h->find<QRadioButton>("rbRemote"); }
    QString caption() { return h->find<QGroupBox>("gbRemote")->title(); }
    QString label() { return h->find<QLabel>("lRemote")->text(); }
    bool switchOff() { return h->shown("rc_off") && h->shown("rem_dis") && !h->shown("lRemote"); }
};

} // namespace

TEST_F(RemotePanelTest, SwitchCyclesAndOnlyOffWrites)
{
    load(0, 0);
    clickOnScreen("rc_off");
    EXPECT_TRUE(h->shown("rc_main") && !h->shown("rem_dis"));
    EXPECT_EQ(caption(), "Remote Control, Input=230V");
    clickOnScreen("rc_main");
    EXPECT_TRUE(h->shown("rc_lst") && !h->shown("rc_main"));
    EXPECT_EQ(caption(), "Remote Control, Input=LST");
    EXPECT_EQ(h->image(), image(timers, 0));

    load(mains | lst, img::remoteMidNightProtect); // both inputs: 230 V
    clickOnScreen("rc_main");
    clickOnScreen("rc_lst");
    EXPECT_TRUE(switchOff());
    EXPECT_EQ(h->image(), image(timers, 0));
}

TEST_F(RemotePanelTest, OkWritesFunctionAndInput)
{
    load(0, 0);
    clickOnScreen("rc_off");
    clickOnScreen("iRemote_en");
    EXPECT_TRUE(h->form->state().formDisabled);
    EXPECT_EQ(rbRemote()->text(), "MidNight Protect");
    EXPECT_FALSE(rbMN()->isChecked() || rbRemote()->isChecked());
    h->click("bRC_OK"); // no function: remote control off
    EXPECT_TRUE(switchOff());
    EXPECT_EQ(h->image(), image(timers, 0));

    clickOnScreen("rc_off");
    clickOnScreen("iRemote_en");
    rbRemote()->click();
    h->click("bRC_OK");
    EXPECT_EQ(h->image(), image(timers | mains, img::remoteMidNightProtect));
    EXPECT_EQ(label(), "MidNight Protect");
    EXPECT_FALSE(h->shown("pRemote") || h->form->state().formDisabled);

    // MidNight moves with the switch to the LST input; MidNight Protect
    // has no counterpart there.
    load(mains, img::remoteMidNight);
    clickOnScreen("rc_main");
    clickOnScreen("lRemote"); // hidden by the move: the tile takes the click
    EXPECT_TRUE(rbMN()->isChecked());
    h->click("bRC_OK");
    EXPECT_EQ(h->image(), image(timers | lst, img::remoteMidNight));
    EXPECT_EQ(label(), "MidNight");
    load(mains, img::remoteMidNightProtect);
    clickOnScreen("rc_main");
    clickOnScreen("iRemote_en");
    EXPECT_FALSE(rbMN()->isChecked() || rbRemote()->isChecked());
    h->click("bRC_OK");
    EXPECT_EQ(h->image(), image(timers, 0));
}

TEST_F(RemotePanelTest, RemoteDimKeepsLstTimerAndIsdOff)
{
    load(0, 0);
    clickOnScreen("rc_off");
    clickOnScreen("rc_main");
    clickOnScreen("iRemote_en");
    EXPECT_EQ(rbRemote()->text(), "Remote DIM");
    rbRemote()->click();
    h->click("bRC_OK");
    const Bytes expected = image(lst, img::remoteDimFunction);
    EXPECT_EQ(h->image(), expected);
    EXPECT_EQ(label(), "Remote DIM");
    EXPECT_TRUE(h->shown("LST_dis") && h->shown("Astro_dis"));
    clickOnScreen("sw_lst_open");
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(h->image(), expected);

    // Off ends Remote DIM; the timers stay off until switched on.
    clickOnScreen("rc_lst");
    EXPECT_EQ(h->image(), image(0, 0));
    clickOnScreen("sw_lst_open");
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(h->image()[0], timers);
}

TEST_F(RemotePanelTest, RefreshOnTheLstInputOpensThePanel)
{
    // The switch was last clicked to 230 V; the caption follows the input.
    clickOnScreen("rc_off");
    load(lst, img::remoteDimFunction);
    EXPECT_TRUE(h->shown("pRemote") && h->form->state().formDisabled);
    EXPECT_EQ(caption(), "Remote Control, Input=LST");
    EXPECT_TRUE(h->form->state().remoteDim);
    EXPECT_TRUE(rbRemote()->isChecked());
    EXPECT_EQ(label(), "Remote DIM");
    const Bytes before = h->image();
    clickOnScreen("SW_astro_close");
    clickOnScreen("SW_lst_close");
    h->click("bRemoteCancel");
    EXPECT_EQ(h->image(), before);

    h->form->state().formDisabled = true; // busy: closed, buttons still follow
    load(lst, img::remoteMidNight);
    EXPECT_FALSE(h->shown("pRemote"));
    EXPECT_TRUE(rbMN()->isChecked());
    EXPECT_FALSE(h->form->state().remoteDim);
}

TEST_F(RemotePanelTest, EveryFunctionNibbleOnBothInputs)
{
    for (std::uint8_t input : {mains, lst}) {
        for (int f = 0; f < 16; ++f) {
            const auto function = static_cast<std::uint8_t>(f << 4);
            h->form->state().formDisabled = true;
            load(input, function);
            h->form->state().formDisabled = false;
            const auto ours = input == lst ? img::remoteDimFunction : img::remoteMidNightProtect;
            const bool known = function == img::remoteMidNight || function == ours;
            clickOnScreen("iRemote_en");
            EXPECT_EQ(rbMN()->isChecked(), function == img::remoteMidNight) << f;
            EXPECT_EQ(rbRemote()->isChecked(), function == ours) << f;
            const bool ok = f % 2 == 1;
            h->click(ok ? "bRC_OK" : "bRemoteCancel");
            const bool dim = ok && input == lst && function == ours;
            const std::uint8_t flags = dim ? input : timers | input;
            EXPECT_EQ(h->image(), known ? image(flags, function) : image(timers, 0)) << f;
        }
    }
}
