#pragma once
// The stick-mode controls of the main window: the log box with the driver's
// operating log and the debug pane with its memo.

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace nolt {

// The font itself when its letters advance alike (the memory dump's columns
// line up), else a fixed-pitch family that does.
QFont evenlySpaced(const QFont& preferred);

struct StickControls {
    // Creates both, hidden; the debug pane waits below the visible area.
    explicit StickControls(QWidget* form);

    QGroupBox* gbLog;
    QLabel* lOp;
    QLabel* lSwCnt;
    QLabel* lMaxT;
    QLabel* lOverT;

    QFrame* pDebug;
    QPlainTextEdit* mDebug;
    QCheckBox* cbDebugHold;
};

} // namespace nolt
