#include "pgm/window/BottomBar.h"


namespace nolt {

SlotButton::SlotButton(const QString& caption, QWidget* parent) : ClickLabel(parent)
{
    setText(caption);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    // A disabled slot (the chosen one, or one that could not be read) keeps
    // its caption readable, in grey.
    QPalette p = palette();
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    setPalette(p);
    connect(this, &ClickLabel::pressed, this, [this] { setFrameShadow(QFrame::Sunken); });
    connect(this, &ClickLabel::released, this, [this] { setFrameShadow(QFrame::Raised); });
}

void SlotButton::setColour(unsigned bgrColour)
{
    setBackground(this, bgr(bgrColour));
}

namespace {
QPushButton* button(QWidget* form, const char* name, const char* caption, int x, int y, int w, int h = 25)
{
    auto* b = place(new QPushButton(QString::fromLatin1(caption), form), name, x, y, w, h);
    b->hide();
    return b;
}
void setShown(std::initializer_list<QWidget*> widgets, bool shown)
{
    for (QWidget* w : widgets)
        w->setVisible(shown);
}
} // namespace

BottomBar::BottomBar(QWidget* form) : pictures(form)
{
    const int slotLeft[] = {164, 210, 250, 290};
    for (int k = 0; k < 4; ++k) {
        const QString caption = QStringLiteral("M%1").arg(k + 1);
        bM[k] = new SlotButton(caption, form);
        bM[k]->setObjectName(QStringLiteral("bM%1").arg(k + 1));
        bM[k]->setGeometry(slotLeft[k], 590, 25, 25);
        bM[k]->setCursor(Qt::PointingHandCursor);
        bM[k]->hide();
    }
    iFW = place(new ClickLabel(form), "iFW", 130, 592, 23, 23);
    pictures.add(iFW, QStringLiteral("firmware"));
    iFW->setEnabled(false);
    iFW->hide();
    l60Hz = place(new QLabel(QStringLiteral("60Hz Version"), form), "l60Hz", 130, 566);
    QFont bold = l60Hz->font();
    bold.setBold(true);
    l60Hz->setFont(bold);
    l60Hz->setStyleSheet(QStringLiteral("color: red"));
    l60Hz->adjustSize();
    l60Hz->hide();
    lInfo = place(new QLabel(QStringLiteral("Info:"), form), "lInfo", 333, 595);
    lInfo->hide();
    eInfo = place(new QLineEdit(form), "eInfo", 363, 592, 90, 21);
    eInfo->hide();
    bMemCancel = button(form, "bMemCancel", "Cancel", 483, 590, 50);
    bMemStore = button(form, "bMemStore", "Transfer", 553, 590, 50);
    bErase = button(form, "bErase", "Erase ALL", 621, 590, 53);
    bMemClear = button(form, "bMemClear", "Default", 780, 590, 50);
    bLoad = button(form, "bLoad", "Load", 845, 590, 50);
    bSave = button(form, "bSave", "Save", 910, 590, 50);
    bUpdateFw = button(form, "bUpdateFw", "Update FW", 169, 590, 75);
    pbFWUpdate = place(new QProgressBar(form), "pbFWUpdate", 250, 592, 283, 16);
    pbFWUpdate->setTextVisible(false);
    pbFWUpdate->hide();
    bReread = button(form, "bReread", "ReRead", 616, 590, 58);

    cbShowHints = place(new QCheckBox(QStringLiteral("Show Hints"), form), "cbShowHints", 19, 594);
    cbShowHints->adjustSize();
    cbShowHints->hide();
    cbStickDebug = place(new QCheckBox(QStringLiteral("Debug"), form), "cbStickDebug", 19, 565);
    cbStickDebug->adjustSize();
    cbStickDebug->hide();
    pVersion = place(new QLabel(QStringLiteral("Ver.:"), form), "pVersion", 975, 597, 60, 16);
}

void BottomBar::enableButtons(bool usbStick, bool set60Hz, bool enableErase)
{
    if (usbStick) {
        bUpdateFw->show();
        bReread->show();
        if (set60Hz)
            l60Hz->show();
    } else {
        bMemCancel->show();
        if (enableErase)
            bErase->show();
        lInfo->show();
        eInfo->show();
    }
    setShown({bMemClear, bMemStore, bLoad, bSave}, true);
}

void BottomBar::disableButtons()
{
    setShown({bMemCancel, bMemClear, bMemStore, bErase, bLoad, bSave, lInfo, eInfo, bUpdateFw, pbFWUpdate, bReread},
             false);
}

} // namespace nolt
