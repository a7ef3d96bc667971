#include "pgm/window/StickControls.h"

#include "pgm/kit/Widgets.h"
#include "pgm/panels/EditorPanel.h"

#include <QFontDatabase>

namespace nolt {

namespace {
QLabel* logValue(QGroupBox* box, const char* name, const char* caption, int top)
{
    staticText(box, QString::fromUtf8(caption), 16, top);
    auto* value = place(new QLabel(box), name, 75, top, 75, 14);
    return value;
}
} // namespace

StickControls::StickControls(QWidget* form)
{
    gbLog = groupBox(form, "gbLog", QStringLiteral("Log"), clSilver, 874, 35, 157, 81);
    gbLog->setAutoFillBackground(true);
    lOp = logValue(gbLog, "lOp", "Operation", 16);
    lSwCnt = logValue(gbLog, "lSwCnt", "Switch cnt.", 31);
    lMaxT = logValue(gbLog, "lMaxT", "Max. T", 46);
    lOverT = logValue(gbLog, "lOverT", "Over T", 61);
    gbLog->hide();

    pDebug = place(new QFrame(form), "pDebug", 219, 1098, 602, 394);
    pDebug->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pDebug->setAutoFillBackground(true);
    auto* box = place(new QGroupBox(QStringLiteral("Debug"), pDebug), "GroupBoxDebug", 10, 14, 582, 366);
    mDebug = place(new QPlainTextEdit(box), "mDebug", 19, 16, 554, 316);
    mDebug->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mDebug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mDebug->setLineWrapMode(QPlainTextEdit::NoWrap);
    cbDebugHold = place(new QCheckBox(QStringLiteral("Stop"), box), "cbDebugHold", 19, 338);
    cbDebugHold->adjustSize();
    pDebug->hide();
}

} // namespace nolt
