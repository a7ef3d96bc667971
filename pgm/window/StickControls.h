#pragma once
// The stick-mode controls of the main window: the log box with the driver's
// operating log and the debug pane with its memo.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace nolt {

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
