#pragma once
// What a panel needs of the window that holds it: the shared state, the
// platform, the device link, the schematic, the one refresh and its signal,
// and a place to offer the curve list to start-up. The main window
// implements it; panels see nothing else of the window.

#include "link/AppState.h"
#include "link/DriverLink.h"
#include "link/Platform.h"
#include "pgm/screen/MainScreen.h"

#include <QWidget>

#include <functional>

namespace nolt {

class PanelHost : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual AppState& state() = 0;
    virtual Platform& platform() = 0;
    virtual DriverLink& link() = 0;
    virtual MainScreen& screen() = 0;
    // The one refresh of the main screen after the image was replaced.
    virtual void setDisplay() = 0;
    // Start-up lists the curve files and preselects the curve of a restart
    // through these.
    virtual void offerCurves(std::function<bool()> listCurves, std::function<bool(int)> preselectCurve) = 0;

signals:
    // setDisplay has redrawn the screen; panels bring their own controls
    // (check boxes and radio buttons that mirror the image) into line.
    void displayRefreshed();
};

} // namespace nolt
