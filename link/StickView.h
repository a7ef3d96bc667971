#pragma once
// What the stick protocol shows on the window: the caption as status line,
// the transfer buttons, the busy flag, the log box, the debug memo, the
// firmware progress bar and the redraw of the main screen. The window
// implements it; tests record it.

#include <QString>

namespace nolt {

// The driver's operating log as the log box shows it.
struct StickLogTexts {
    QString lOp;    // operating time, "<n> min"
    QString lSwCnt; // switch count
    QString lMaxT;  // maximum temperature, "<n> °C"
    QString lOverT; // time over temperature, "<n> min"
};

class StickView {
public:
    virtual ~StickView() = default;

    virtual QString caption() const = 0;
    virtual void setCaption(const QString& text) = 0;
    // Shows the transfer buttons of stick mode, respectively hides them all.
    virtual void enableButtons() = 0;
    virtual void disableButtons() = 0;
    // Shows "ReRead" alone: a read ended standing before any had completed.
    virtual void offerReread() = 0;
    // The window-wide busy flag; while a read runs, a panel left open takes
    // no input either.
    virtual void setBusy(bool busy) = 0;

    virtual void showLog(const StickLogTexts& log) = 0;
    virtual void hideLog() = 0;

    // Debug memo: lines are added only while debugOn() ("Debug" ticked,
    // "Stop" not); the protocol asks before it builds a line.
    virtual bool debugOn() const = 0;
    virtual void debugLine(const QString& line) = 0;

    // Firmware progress bar.
    virtual void setProgress(int position, int maximum) = 0;
    virtual void showProgress(bool shown) = 0;

    // Redraws the main screen from the image.
    virtual void setDisplay() = 0;
};

} // namespace nolt
