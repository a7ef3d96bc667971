// Start-up: demo mode with and without the HID library, the probe, the polling.

#include "DriverForm.h"

#include <QTimer>

using namespace nolt;
using namespace nolt::test;

TEST(StartUp, WithoutLibraryShowsDemoModeOnTheDefaultImage)
{
    auto h = FormHarness::started();
    EXPECT_EQ(h->form->caption(), "Demo Mode");
    EXPECT_TRUE(std::equal(defaultImage.begin(), defaultImage.end(), h->image().begin()));
    EXPECT_TRUE(h->state().demo && !h->state().formDisabled);
    EXPECT_EQ(h->platform.activeTimers(), 0) << "no polling without the library";
    EXPECT_GE(h->platform.nowMs, 2000) << "the logo stays up for about two seconds";
    EXPECT_EQ(h->text("pVersion"), "Ver.:2.19h");
    // The factory configuration: 1-10V, LST and ISD on, everything else off.
    for (const char* name : {"bLoad", "bSave", "cbShowHints", "iTen", "HOLD_dis", "sw_hold_off", "Block_dis",
                             "MFF_dis", "rem_dis", "rc_off", "iTM_dis", "sw_tm_off"})
        EXPECT_TRUE(h->shown(name)) << name;
    for (const char* name : {"bMemStore", "pLogo", "Dali", "PWM", "LST_dis", "dm2_dis", "Astro_dis", "dm1_dis",
                             "lHold", "lBlock", "lRemote"})
        EXPECT_FALSE(h->shown(name)) << name;
    EXPECT_EQ(h->text("lPO_Level"), "L=100%");
    EXPECT_EQ(h->text("lPO_Delay"), "D=Random");

    const long long now = h->platform.nowMs;
    h->form->FormActivate(); // runs once however often activated
    EXPECT_EQ(h->platform.nowMs, now);
}

TEST(StartUp, PollsForTheDeviceAndRestartsWithTheSwitchesWhenPluggedIn)
{
    SimDriver d;
    d.device.present = false;
    auto h = FormHarness::started({"-skipFW", "foo", "-dc=2", "-debug"}, d.loader());
    EXPECT_EQ(h->form->caption(), "Demo Mode");
    EXPECT_TRUE(h->form->timer2().isActive());
    h->platform.advance(3000);
    EXPECT_TRUE(h->platform.restarts.empty());
    d.device.present = true;
    h->platform.advance(1000);
    EXPECT_EQ(h->platform.restarts, std::vector<QString>{" -skipFW foo -debug"}) << "the curve is not handed on";
}

// The caption gains a dot every ten probe passes; a device that never answers offers no slot.
TEST(StartUp, DeviceThatNeverAnswersOffersNoSlot)
{
    SimDriver d;
    d.driver().faults.silent = true;
    FormHarness h({}, d.loader());
    QStringList captions;
    QObject::connect(h.form.get(), &QWidget::windowTitleChanged, [&](const QString& c) { captions << c; });
    h.form->FormActivate();
    EXPECT_TRUE(captions.contains("Loading.") && captions.contains("Loading..........."));
    EXPECT_FALSE(captions.contains("Loading............"));
    EXPECT_EQ(h.platform.messages, QStringList{"   USB Error!   "});
    EXPECT_EQ(h.platform.activeTimers(), 0) << "no restart loop";
    EXPECT_FALSE(h.shown("bM1") || h.shown("bM4"));
    EXPECT_EQ(h.form->caption(), "Demo Mode");
    EXPECT_FALSE(h.state().formDisabled || h.platform.busyCursor);
}

TEST(StartUp, ClosingDuringTheDemoPauseStopsEverything)
{
    SimDriver d;
    d.device.present = false;
    FormHarness h({}, d.loader());
    QTimer::singleShot(0, h.form.get(), [&] { h.form->close(); });
    h.form->FormActivate();
    EXPECT_TRUE(h.form->closed());
    EXPECT_EQ(h.platform.activeTimers(), 0);
    EXPECT_LT(h.platform.nowMs, 2000) << "the pause ends when the window closes";
    h.platform.advance(3000);
    EXPECT_TRUE(h.platform.restarts.empty());
}
