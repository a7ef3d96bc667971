#pragma once
// Services of the desktop platform that the program's logic needs: dialogs,
// sound, time and the self-restart. The window installs the real ones; tests
// install a scripted platform that answers dialogs and runs on virtual time.

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace nolt {

// A periodic timer. Its tick runs on the GUI thread whenever pending messages
// are processed and the interval has passed.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    void setEnabled(bool on) { on ? start() : stop(); }
};

class Platform {
public:
    virtual ~Platform() = default;

    // Plain message box with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // Yes/No confirmation; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // The system's default sound.
    virtual void beep() = 0;
    // Open and save dialogs; nothing when the user cancels.
    virtual std::optional<QString> openFileName(const QString& title, const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(const QString& title, const QString& filter,
                                                const QString& defaultSuffix) = 0;

    // Blocks the GUI thread for a while without processing messages.
    virtual void sleepMs(int ms) = 0;
    // Runs pending window messages and due timer ticks once.
    virtual void processMessages() = 0;
    virtual std::unique_ptr<Timer> createTimer(int intervalMs, std::function<void()> onTick) = 0;

    // Starts the program file anew with the given parameter text and asks the
    // running instance to end once the current handler has returned.
    virtual void restartProgram(const QString& parameters) = 0;
    // Hourglass for the whole application (true) or the default arrow.
    virtual void setBusyCursor(bool busy) = 0;
};

} // namespace nolt
