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
    void demoMode(bool pollForDevice);
    void deviceMode();
    void firstScreen();

    TForm1& form_;
    QWidget* logo_;
};

} // namespace nolt
