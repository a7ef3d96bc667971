#pragma once
// The main window: a fixed 1039 x 623 client area showing the schematic of
// the driver, the bottom strip, and one pop-up panel per feature. It owns the
// shared state, the device link and the panels, and composes them; each
// panel keeps its own logic in its own class.

#include "link/AppState.h"
#include "link/DriverLink.h"
#include "link/HidDevice.h"
#include "link/Platform.h"
#include "pgm/panels/PanelHost.h"
#include "pgm/screen/MainScreen.h"
#include "pgm/window/BottomBar.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace nolt {

class StartUp;

// What the start-up sequence hands over to the device-link and curve code.
// Each entry is filled by the code that owns that part of the program.
struct StartUpHooks {
    // Driver mode: read the slot directory and the slot pages; false when
    // no slot can be offered.
    std::function<bool()> readSlots;
    // Driver mode, once the first screen is up: what to tell about stored
    // slots that could not be read (empty when all were read).
    std::function<QString()> unreadSlotsMessage;
    // Driver mode: back to the slot choice (after "Cancel" or a failed
    // store), offering only the slots that were read.
    std::function<void()> offerSlots;
    // Stick mode: start the stick protocol.
    std::function<void()> startStick;
    // Load the built-in firmware image.
    std::function<void()> loadRes;
    // List the dimming-curve files; true when at least one exists.
    std::function<bool()> listCurves;
    // Preselect the curve with this index; false when it names no entry.
    std::function<bool(int)> preselectCurve;

    // Stick mode: the store ("Transfer") starts writing the image through
    // the stick.
    std::function<void()> storeUSBStick;
    // Stick mode: a read, a write or a firmware update runs.
    std::function<bool()> stickBusy;
};

using HidLoader = std::function<std::unique_ptr<HidDevice>()>;

class TForm1 : public PanelHost {
    Q_OBJECT
public:
    static constexpr int clientWidth = 1039;
    static constexpr int clientHeight = 623;
    static constexpr const char* programVersion = "2.19h";

    // parameters: the command line without the program path. loadLibrary
    // loads the HID access library; by default by name, beside the program.
    TForm1(Platform& platform, QStringList parameters, HidLoader loadLibrary = {},
           QWidget* parent = nullptr);
    ~TForm1() override;

    AppState& state() override { return state_; }
    Platform& platform() override { return platform_; }
    DriverLink& link() override { return *link_; }
    MainScreen& screen() override { return *screen_; }
    BottomBar& bar() { return *bar_; }
    StartUpHooks& hooks() { return hooks_; }
    const QStringList& parameters() const { return parameters_; }
    bool hidLibraryLoaded() const { return hid_ != nullptr; }

    QString caption() const { return windowTitle(); }
    void setCaption(const QString& text) { setWindowTitle(text); }
    void appendCaption(const QString& text) { setWindowTitle(windowTitle() + text); }

    void setDisplay() override;
    void offerCurves(std::function<bool()> listCurves, std::function<bool(int)> preselectCurve) override;
    void enableButtons();
    void disableButtons();

    // A timer of the window; every one is stopped when the window closes.
    Timer& createTimer(int intervalMs, std::function<void()> onTick);
    Timer& timer2() { return *timer2_; }
    // Starts the poll (Timer2) that restarts the program once the device is
    // there. deviceSeenAbsent: a probe already missed the device; when not,
    // the device must first be seen gone, so that one that is present but
    // does not answer never restarts the program.
    void pollForDevice(bool deviceSeenAbsent);

    // Runs the start-up sequence once; later calls do nothing.
    void FormActivate();
    bool started() const { return started_; }
    bool closed() const { return closed_; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormCreate(const HidLoader& loadLibrary);
    void createPanels();
    void Timer2Timer();

    Platform& platform_;
    QStringList parameters_;
    AppState state_;
    std::unique_ptr<HidDevice> hid_;
    std::unique_ptr<DriverLink> link_;
    std::unique_ptr<MainScreen> screen_;
    std::unique_ptr<BottomBar> bar_;
    std::vector<std::unique_ptr<Timer>> timers_;
    Timer* timer2_ = nullptr;
    bool deviceSeenAbsent_ = true; // the poll restarts only after a probe missed the device
    StartUpHooks hooks_;
    std::unique_ptr<StartUp> startUp_;
    bool activationScheduled_ = false;
    bool started_ = false;
    bool closed_ = false;
};

} // namespace nolt
