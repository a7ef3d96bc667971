#include "pgm/panels/IsdOffsetCalculator.h"

#include "image/Astronomy.h"
#include "image/NumberText.h"
#include "pgm/panels/IsdTarget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLocale>

namespace nolt {

namespace {

const QString refused = QStringLiteral("???");
const QString degree = QStringLiteral("\u00B0");

// A read-only result text: teal, bold, centred.
QLineEdit* resultEdit(QWidget* parent, const char* name, int left, int top, int width, const QString& text)
{
    auto* e = place(new QLineEdit(text, parent), name, left, top, width, 21);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    QFont f = e->font();
    f.setBold(true);
    e->setFont(f);
    QPalette p = e->palette();
    p.setColor(QPalette::Text, bgr(clTeal));
    e->setPalette(p);
    return e;
}

// A bold static text on its own face-coloured ground, readable on the
// calculator's dark background.
QLabel* boldText(QWidget* parent, const QString& text, int left, int top, const char* name)
{
    QLabel* l = staticText(parent, text, left, top, name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->adjustSize();
    l->resize(l->width() + 6, l->height() + 2);
    l->setAlignment(Qt::AlignCenter);
    setBackground(l, QApplication::palette().color(QPalette::Window));
    return l;
}

} // namespace

IsdOffsetCalculator::IsdOffsetCalculator(PanelHost& form, IsdTarget& target)
    : EditorPanel(form, "pCalc", 6, 250, 474, 251), target_(target)
{
    setBackground(this, palette().color(QPalette::Dark));

    boldText(this, QStringLiteral("Time Zone"), 4, 6, "StaticText90");
    eUTC = resultEdit(this, "eUTC", 90, 3, 64, QStringLiteral("UTC+0"));
    sbUTC = place(new ScrollBar(this), "sbUTC", 4, 28, 350, 8);
    sbUTC->setLimits(-11, 12);
    sbUTC->setPosition(0);
    connect(sbUTC, &QScrollBar::valueChanged, this, &IsdOffsetCalculator::sbUTCChange);

    auto* map = place(new QLabel(this), "TimeZone", 4, 37, 350, 179);
    pictures().add(map, QStringLiteral("map_time_zones"));

    sbLength = place(new ScrollBar(this), "sbLength", 3, 216, 351, 8);
    sbLength->setLimits(-360, 360);
    sbLength->setPosition(0);
    connect(sbLength, &QScrollBar::valueChanged, this, &IsdOffsetCalculator::sbLengthChange);
    boldText(this, QStringLiteral("Geographic Longitude"), 4, 229, "StaticText120");
    eLength = resultEdit(this, "eLength", 160, 226, 64, QStringLiteral("0") + degree);

    auto* window = place(new QFrame(this), "pCalcWindow", 355, 87, 117, 80);
    window->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackground(window, QApplication::palette().color(QPalette::Window));
    auto* result = place(new QGroupBox(QStringLiteral("Calculated Offset"), window), "GroupBox2", 3, 2, 111, 48);
    eOffset = resultEdit(result, "eOffset", 8, 20, 60, QStringLiteral("0"));
    staticText(result, QStringLiteral("Min"), 74, 23, "StaticText124");
    connect(glyphButton(window, "bCalcOK", Glyph::Ok, 10, 53), &QPushButton::clicked, this,
            &IsdOffsetCalculator::bCalcOKClick);
    connect(glyphButton(window, "bCalcCancel", Glyph::Cancel, 47, 53), &QPushButton::clicked, this,
            &IsdOffsetCalculator::bCalcCancelClick);
    connect(glyphButton(window, "bCalcHelp", Glyph::Help, 84, 53), &QPushButton::clicked, this,
            &IsdOffsetCalculator::bCalcHelpClick);

    // The help: a sundial beside a clock; a click anywhere on it closes it.
    pCalcHelp = new HelpOverlay(this, "pCalcHelp", "iCalcHelp", QStringLiteral("help_offset"), size(),
                                QRect(32, 52, 409, 183));
    QLabel* caption = staticText(pCalcHelp, QStringLiteral("Time Difference =  Offset"), 0, 14, "StaticText123");
    QFont f = caption->font();
    f.setBold(true);
    f.setPixelSize(18);
    caption->setFont(f);
    caption->setGeometry(0, 14, width(), 28);
    caption->setAlignment(Qt::AlignCenter);
    QPalette light = caption->palette();
    light.setColor(QPalette::WindowText, Qt::white);
    caption->setPalette(light);
    pCalcHelp->installEventFilter(this);

    if (QAbstractButton* open = target.offsetCalculatorButton())
        connect(open, &QAbstractButton::clicked, this, &IsdOffsetCalculator::bAstroCalcClick);
}

void IsdOffsetCalculator::bAstroCalcClick()
{
    // Sliders, texts and result stay as they were left.
    show();
    raise();
}

void IsdOffsetCalculator::sbUTCChange(int n)
{
    eUTC->setText(n >= 0 ? QStringLiteral("UTC+%1").arg(n) : QStringLiteral("UTC%1").arg(n));
    calcOffset();
}

void IsdOffsetCalculator::sbLengthChange(int halfDegrees)
{
    const QString point = QLocale().decimalPoint();
    if (halfDegrees < 0)
        eLength->setText(QStringLiteral("W ") + halfUnitsText(-halfDegrees, point) + degree);
    else if (halfDegrees > 0)
        eLength->setText(QStringLiteral("E ") + halfUnitsText(halfDegrees, point) + degree);
    else
        eLength->setText(QStringLiteral("0") + degree);
    calcOffset();
}

// Four minutes of solar time per degree of longitude east of the zone's
// meridian (15 degrees per hour). The offset byte holds -256..254 minutes,
// yet the ends themselves are refused.
void IsdOffsetCalculator::calcOffset()
{
    const int v = 2 * sbLength->position() - 60 * sbUTC->position(); // (d - 15 n) x 4 with d = position / 2
    eOffset->setText(v > lowestRefused && v < highestRefused ? QString::number(v) : refused);
}

void IsdOffsetCalculator::bCalcOKClick()
{
    if (const auto v = parseDecimal(eOffset->text(), true))
        target_.takeOffset(*v);
    hide();
}

void IsdOffsetCalculator::bCalcCancelClick()
{
    hide();
}

void IsdOffsetCalculator::bCalcHelpClick()
{
    pCalcHelp->open();
}

void IsdOffsetCalculator::iCalcHelpClick()
{
    pCalcHelp->close();
}

bool IsdOffsetCalculator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pCalcHelp && event->type() == QEvent::MouseButtonRelease)
        iCalcHelpClick();
    return EditorPanel::eventFilter(watched, event);
}

} // namespace nolt
