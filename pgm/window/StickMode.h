#pragma once
// Stick mode on the main window: the stick protocol's view (caption,
// transfer buttons, busy flag, log box, debug memo, progress bar), Timer3,
// the "Update FW", "ReRead" and "Debug" handlers and the start-up and store
// hooks.

#include "link/StickMachine.h"
#include "pgm/window/StickControls.h"

#include <QObject>

#include <memory>

namespace nolt {

class TForm1;

class StickMode final : public QObject, public StickView {
    Q_OBJECT
public:
    explicit StickMode(TForm1& form);
    ~StickMode() override;

    StickMachine& machine() { return *machine_; }
    Timer& timer3();
    StickControls& controls() { return controls_; }

    // StickView.
    QString caption() const override;
    void setCaption(const QString& text) override;
    void enableButtons() override;
    void disableButtons() override;
    void offerReread() override;
    void setBusy(bool busy) override;
    void showLog(const StickLogTexts& log) override;
    void hideLog() override;
    bool debugOn() const override;
    void debugLine(const QString& line) override;
    void setProgress(int position, int maximum) override;
    void showProgress(bool shown) override;
    void setDisplay() override;

private:
    class Timer3;
    void startStick();
    bool panelOpen() const;
    void bRereadClick();
    void cbStickDebugClick(bool checked);

    TForm1& form_;
    StickControls controls_;
    std::unique_ptr<Timer3> timer3_;
    std::unique_ptr<StickMachine> machine_;
};

} // namespace nolt
