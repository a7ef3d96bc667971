#pragma once
// The start-up sequence: switches, the device probe and its three outcomes
// (driver mode, stick mode, demo mode), and the first screen.

#include <QString>

class QWidget;

namespace nolt {

class TForm1;

class StartUp {
public:
    explicit StartUp(TForm1& form);
    void run();

    static constexpr int demoPasses = 20;   // of 100 ms each

private:
    void readSwitches();
    // Waits for a pending read; false when it gave up or the window closed.
    bool waitForReply();
    // How demo mode watches for the device.
    enum class Poll {
        None,       // no library: nothing to poll
        ForDevice,  // the probe missed the device: restart once it is there
        Running,    // already polling: the device did not answer, restart once it was gone and is back
    };
    void demoMode(Poll poll);
    void deviceMode();
    void firstScreen();
    // Driver mode: names the slots that could not be read, and restarts the
    // program once the driver has been plugged in again.
    void tellUnreadSlots();

    TForm1& form_;
    QWidget* logo_;
};

} // namespace nolt
