#include "pgm/window/StickControls.h"

#include "pgm/kit/Widgets.h"
#include "pgm/panels/EditorPanel.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace nolt {

namespace {
bool sameAdvances(const QFont& font)
{
    const QFontMetrics m(font);
    return m.horizontalAdvance(QStringLiteral("iiii")) == m.horizontalAdvance(QStringLiteral("WWWW"));
}

QLabel* logValue(QGroupBox* box, const char* name, const char* caption, int top)
{
    staticText(box, QString::fromUtf8(caption), 16, top);
    auto* value = place(new QLabel(box), name, 75, top, 75, 14);
    return value;
}
} // namespace

QFont evenlySpaced(const QFont& preferred)
{
    if (sameAdvances(preferred))
        return preferred;
    // The family the set-up installs, then any other the system calls fixed.
    QStringList families = QFontDatabase::families();
    families.prepend(QStringLiteral("DejaVu Sans Mono"));
    for (const QString& family : families) {
        QFont font(family, preferred.pointSize());
        if (QFontDatabase::isFixedPitch(family) && QFontInfo(font).family() == family && sameAdvances(font))
            return font;
    }
    return preferred;
}

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
    mDebug->setFont(evenlySpaced(QFontDatabase::systemFont(QFontDatabase::FixedFont)));
    mDebug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mDebug->setLineWrapMode(QPlainTextEdit::NoWrap);
    cbDebugHold = place(new QCheckBox(QStringLiteral("Stop"), box), "cbDebugHold", 19, 338);
    cbDebugHold->adjustSize();
    pDebug->hide();
}

} // namespace nolt
