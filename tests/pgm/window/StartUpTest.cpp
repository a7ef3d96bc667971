// Start-up: demo mode with and without the HID library, the probe, the polling, the built-in firmware.

#include "Harness.h"

#include "pgm/window/Firmware.h"
#include "support/FirmwareTexts.h"

#include <QTimer>

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
    for (const char* name : {"bLoad", "bSave", "cbShowHints", "iTen", "HOLD_dis", "Block_dis", "MFF_dis", "rem_dis"})
        EXPECT_TRUE(h->shown(name)) << name;
    for (const char* name : {"bMemStore", "pLogo", "Dali", "PWM", "LST_dis", "Astro_dis", "lHold", "lBlock"})
        EXPECT_FALSE(h->shown(name)) << name;
    const long long now = h->platform.nowMs;
    h->form->FormActivate(); // runs once however often activated
    EXPECT_EQ(h->platform.nowMs, now);
}

// Closing the window during the demo pause ends the pause and stops everything: a device plugged in afterwards
// restarts nothing. (The polling and the restart with the switches: the end-to-end test of the real program.)
TEST(StartUp, ClosingDuringTheDemoPauseStopsThePolling)
{
    SimDriver d;
    d.device.present = false;
    FormHarness h({}, d.loader());
    QTimer::singleShot(0, h.form.get(), [&] { h.form->close(); });
    h.form->FormActivate();
    EXPECT_TRUE(h.form->closed() && !h.form->timer2().isActive() && h.platform.activeTimers() == 0
                && h.platform.nowMs < 2000);
    d.device.present = true;
    h.platform.advance(4000);
    EXPECT_TRUE(h.platform.restarts.empty());
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
    EXPECT_EQ(h.form->caption(), "Demo Mode");
    EXPECT_FALSE(h.shown("bM1") || h.shown("bM4") || h.state().formDisabled || h.platform.busyCursor);
}

// The built-in image is pending unless the driver has its version; one whose CRC does not fit is ignored silently.
TEST(StartUp, BuiltInFirmwareIsPendingUnlessTheDriverHasItsVersion)
{
    const QByteArray text = firmware200().join("\r\n").toLatin1() + "\r\n"; // version 72
    for (int recorded : {0, 72, -1}) {
        DriverForm d;
        FormHarness& h = d.start();
        h.state().driverFwVersion = recorded;
        QByteArray builtIn = text;
        if (recorded < 0)
            builtIn[20] = builtIn[20] == '3' ? '4' : '3'; // a data digit
        applyBuiltInFirmware(*h.form, builtIn);
        const FirmwareState& fw = h.state().firmware;
        EXPECT_EQ(fw.fwUpdatePending, recorded == 0);
        EXPECT_TRUE(h.platform.messages.isEmpty());
        EXPECT_EQ(std::pair(fw.fwLength, fw.fwImageVersion), recorded < 0 ? std::pair(0, 0) : std::pair(200, 72));
        const QString tip = h.shown("iFW") ? h.find<QLabel>("iFW")->toolTip() : QString("hidden");
        EXPECT_EQ(tip, recorded < 0 ? "hidden" : recorded == 72 ? "Version 1.72" : "Version 1.72 (Update!)");
    }
}
