// Start-up without a device: demo mode, with and without the HID library.

#include "Harness.h"

#include <QTimer>

using namespace nolt;
using namespace nolt::test;

namespace {

// A library whose device can be plugged in and that never answers.
struct PluggableDevice final : HidDevice {
    bool* present;
    explicit PluggableDevice(bool* p) : present(p) {}
    bool findHidDevice(unsigned v, unsigned p) override { return *present && v == 0x03EB && p == 0x2013; }
    void closeDevice() override {}
    bool readData(std::uint8_t*) override { return false; }
    bool writeData(const std::uint8_t*) override { return true; }
    bool setFeature(const std::uint8_t*) override { return true; }
    int getInputReportLength() override { return 8; }
    int getOutputReportLength() override { return 8; }
    int getFeatureReportLength() override { return 0; }
};

HidLoader pluggable(bool* present)
{
    return [present] { return std::make_unique<PluggableDevice>(present); };
}

} // namespace

TEST(StartUp, WithoutLibraryShowsDemoModeOnTheDefaultImage)
{
    auto h = FormHarness::started();
    EXPECT_EQ(h->form->caption(), "Demo Mode");
    EXPECT_TRUE(std::equal(defaultImage.begin(), defaultImage.end(), h->image().begin()));
    EXPECT_FALSE(h->state().formDisabled);
    EXPECT_TRUE(h->state().demo);
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
    const std::pair<const char*, const char*> labels[] = {
        {"lPO_Level", "L=100%"}, {"lPO_Delay", "D=Random"}, {"lPO_Fade", "F=0"}, {"lMinLevel", "Min. Level=0%"}};
    for (auto [name, text] : labels)
        EXPECT_EQ(h->text(name), text);

    const long long now = h->platform.nowMs;
    h->form->FormActivate(); // runs once however often activated
    EXPECT_EQ(h->platform.nowMs, now);
}

TEST(StartUp, PollsForTheDeviceAndRestartsWithTheSwitchesWhenPluggedIn)
{
    bool present = false;
    auto h = FormHarness::started({"-skipFW", "foo", "-dc=2", "-debug"}, pluggable(&present));
    EXPECT_EQ(h->form->caption(), "Demo Mode");
    EXPECT_TRUE(h->form->timer2().isActive());
    h->platform.advance(3000);
    EXPECT_TRUE(h->platform.restarts.empty());

    present = true;
    h->platform.advance(1000);
    ASSERT_FALSE(h->platform.restarts.empty());
    EXPECT_EQ(h->platform.restarts.front(), " -skipFW foo -debug") << "the curve is not handed on";
}

TEST(StartUp, DeviceThatNeverAnswersOffersNoSlot)
{
    bool present = true;
    auto h = FormHarness::started({}, pluggable(&present));
    EXPECT_EQ(h->platform.messages, QStringList{"   USB Error!   "});
    EXPECT_FALSE(h->form->state().demo && h->form->timer2().isActive()) << "no restart loop";
    EXPECT_EQ(h->platform.activeTimers(), 0);
    for (const char* slot : {"bM1", "bM2", "bM3", "bM4"})
        EXPECT_FALSE(h->shown(slot)) << slot;
    EXPECT_EQ(h->form->caption(), "Demo Mode");
    EXPECT_FALSE(h->form->state().formDisabled);
    EXPECT_FALSE(h->platform.busyCursor);
}

TEST(StartUp, ProbeCaptionGainsADotEveryTenPasses)
{
    bool present = true;
    FormHarness h({}, pluggable(&present));
    QStringList captions;
    QObject::connect(h.form.get(), &QWidget::windowTitleChanged, [&](const QString& c) { captions << c; });
    h.form->FormActivate();
    EXPECT_TRUE(captions.contains("Loading."));
    EXPECT_TRUE(captions.contains("Loading..........."));
    EXPECT_FALSE(captions.contains("Loading............"));
}

TEST(StartUp, ClosingDuringTheDemoPauseStopsEverything)
{
    bool present = false;
    FormHarness h({}, pluggable(&present));
    QTimer::singleShot(0, h.form.get(), [&] { h.form->close(); });
    h.form->FormActivate();
    EXPECT_TRUE(h.form->closed());
    EXPECT_EQ(h.platform.activeTimers(), 0);
    EXPECT_LT(h.platform.nowMs, 2000) << "the pause ends when the window closes";
    h.platform.advance(3000);
    EXPECT_TRUE(h.platform.restarts.empty());
}
