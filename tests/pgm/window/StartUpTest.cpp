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
    EXPECT_EQ(h->platform.nowMs, 2000) << "the logo stays up for twenty passes of 100 ms";
    EXPECT_EQ(h->text("pVersion"), "Ver.:2.19h");
    // The factory configuration: 1-10V, LST and ISD on, everything else off.
    for (const char* name : {"bLoad", "bSave", "cbShowHints", "iTen", "HOLD_dis", "Block_dis", "MFF_dis", "rem_dis"})
        EXPECT_TRUE(h->shown(name)) << name;
    for (const char* name : {"bMemStore", "pLogo", "Dali", "PWM", "LST_dis", "Astro_dis", "lHold", "lBlock",
                             "pbFWUpdate", "cbStickDebug", "gbLog"})
        EXPECT_FALSE(h->shown(name)) << name;
    const long long now = h->platform.nowMs;
    h->form->FormActivate(); // runs once however often activated
    EXPECT_EQ(h->platform.nowMs, now);
}

// Demo mode with the library polls once a second; a device plugged in restarts the program once, with its
// switches but not the curve: at the next poll, also when it is plugged in the moment demo mode begins.
TEST(StartUp, DemoModeRestartsOnceADeviceIsPluggedIn)
{
    for (int absentMs : {0, 3000}) {
        SCOPED_TRACE(absentMs);
        SimDriver d;
        d.device.present = false;
        FormHarness h({"-skipFW", "-dc=2"}, d.loader());
        h.form->FormActivate();
        EXPECT_EQ(h.form->caption(), "Demo Mode");
        h.platform.advance(absentMs);
        EXPECT_TRUE(h.platform.restarts.empty());
        d.device.present = true;
        h.platform.advance(990);
        EXPECT_TRUE(h.platform.restarts.empty()) << "the poll comes a second after the last";
        h.platform.advance(10);
        EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -skipFW"});
        h.platform.advance(3000);
        EXPECT_EQ(h.platform.restarts.size(), 1u);
    }
}

// Closing the window during the demo pause ends the pause and stops everything: a device plugged in afterwards
// restarts nothing.
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

// The caption reads "Loading" again for the second try and gains a dot every ten probe passes; a device that never
// answers offers no slot, and demo mode restarts nothing while the device stays: it would only meet the same silence.
TEST(StartUp, DeviceThatNeverAnswersOffersNoSlot)
{
    SimDriver d;
    d.driver().faults.silent = true;
    FormHarness h({}, d.loader());
    QStringList captions;
    bool hourglass = false;
    QString relay, logo;
    QObject::connect(h.form.get(), &QWidget::windowTitleChanged, [&](const QString& c) {
        captions << c;
        if (c != "Loading.")
            return;
        hourglass = h.platform.busyCursor;
        const QWidget* tile = h.find("iRelay");
        relay = test::unreachable(tile, tile->rect().center());
        logo = h.shown("LOGO") && !h.find<QLabel>("LOGO")->pixmap().isNull() ? "drawn" : "missing";
    });
    h.form->FormActivate();
    EXPECT_TRUE(hourglass) << "the hourglass while the tool waits";
    EXPECT_EQ(relay, "iRelay is covered by pLogo") << "the logo covers the window while the tool waits";
    EXPECT_EQ(logo, "drawn");
    EXPECT_EQ(captions.count("Loading"), 2) << "once for each read of the slot directory";
    EXPECT_TRUE(captions.contains("Loading.") && captions.contains("Loading..........."));
    EXPECT_FALSE(captions.contains("Loading............"));
    EXPECT_EQ(h.platform.messages, QStringList{"   USB Error!   "});
    EXPECT_TRUE(h.form->caption() == "Demo Mode" && h.state().demo);
    EXPECT_FALSE(h.shown("bM1") || h.shown("bM4") || h.state().formDisabled || h.platform.busyCursor);
    h.platform.advance(10000);
    EXPECT_TRUE(h.platform.restarts.empty()) << "no restart loop";
}

// A driver pulled out during start-up and plugged in again: the program restarts itself with its switches once
// a poll has missed the driver and the next finds it; a driver that stays in restarts nothing.
TEST(StartUp, DriverPluggedInAgainAfterAFailedReadRestartsTheProgram)
{
    const QString usbError = "   USB Error!   ", unreadM2 = "Could not read M2.\nPlug the driver in again.";
    struct Row {
        const char* when;
        int unplugAfter;  // output report that pulls the driver at start-up, or -1
        int pulledLater;  // polls that miss it when pulled after start-up, or -1
        QString message;
        int restarts;
    } rows[] = {
        {"control block cut, back at the third poll", 1, -1, usbError, 1},
        {"M2 short, then pulled and back", -1, 1, unreadM2, 1},
        {"M2 short, driver left in", -1, -1, unreadM2, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.when);
        DriverForm d;
        d.storeSlot(2, sampleImage(), QStringLiteral("Road"));
        d.driver().faults.unplugAfter = row.unplugAfter;
        d.driver().faults.absentProbes = 2;
        d.driver().faults.shortRead[0x4000] = 5;
        FormHarness& h = d.start({"-skipFW"});
        EXPECT_EQ(h.platform.messages, QStringList{row.message});
        h.platform.advance(2000);
        if (row.unplugAfter < 0) { // the cut directory's driver is polled from the message on, and may be back now
            EXPECT_TRUE(h.platform.restarts.empty()) << "not while the poll has not missed the driver";
        }
        if (row.pulledLater >= 0)
            d.device.unplug(row.pulledLater);
        h.platform.advance(2000);
        EXPECT_EQ(h.platform.restarts, std::vector<QString>(row.restarts, " -skipFW"));
    }
}

// Pulled out during the slot directory's read and plugged in again while "USB Error!" is still open: the poll
// runs behind the message, so the program restarts itself all the same.
TEST(StartUp, DriverPluggedInAgainWhileTheErrorIsOpenRestartsTheProgram)
{
    DriverForm d;
    d.driver().faults.unplugAfter = 1;
    FormHarness h({"-skipFW"}, d.loader());
    h.platform.whileMessageOpen = [&h, &d] {
        h.platform.advance(1500);
        d.device.plugIn();
        h.platform.advance(1500);
    };
    h.form->FormActivate();
    EXPECT_EQ(h.platform.messages, QStringList{"   USB Error!   "});
    h.platform.advance(3000);
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -skipFW"});
}

// Pulled out during the slot directory's read and plugged in again before its wait ends: the driver is asked
// once more, and its slots are offered without a message.
TEST(StartUp, DriverPluggedInAgainDuringTheDirectoryReadIsRead)
{
    DriverForm d;
    d.storeSlot(2, sampleImage(), QStringLiteral("Road"));
    d.driver().faults.unplugAfter = 1;
    d.driver().faults.absentProbes = 0;
    FormHarness& h = d.start({"-skipFW"});
    EXPECT_TRUE(h.platform.messages.isEmpty());
    EXPECT_NE(h.form->caption(), "Demo Mode");
    EXPECT_TRUE(h.shown("bM2") && d.slot(2)->isEnabled());
    d.choose(2);
    EXPECT_EQ(h.image()[img::minLevel], 10);
}

// "-dc=0" preselects the first curve of the list.
TEST(StartUp, TheFirstCurveCanBePreselected)
{
    DriverForm d;
    FormHarness& h = d.start({"-skipFW", "-dc=0"}, true);
    d.choose(1);
    h.click("iTen");
    EXPECT_EQ(h.find<QCheckBox>("cbDC")->text(), "a");
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
