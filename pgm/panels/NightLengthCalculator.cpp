#include "pgm/panels/NightLengthCalculator.h"

#include "image/Astronomy.h"
#include "image/TimeCodes.h"
#include "pgm/panels/IsdTarget.h"
#include "pgm/panels/PanelHost.h"

#include <QAbstractButton>
#include <QLocale>
#include <QPushButton>

namespace nolt {

namespace {

// The light blue of an active window caption's gradient.
constexpr unsigned clGradientActiveCaption = 0xEAD1B9;

constexpr int firstYear = 2000;    // the model serves from the year 2000 on
constexpr int helpLeft = 25;
constexpr int helpInTop = 247;     // over the calculator
constexpr int helpOutTop = 947;    // below the window's visible area

QLabel* boldLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* l = place(new QLabel(text, parent), name, left, top, 110, 16);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

ScrollBar* slider(QWidget* parent, const char* name, int minimum, int maximum, int position)
{
    auto* sb = place(new ScrollBar(parent), name, 10, 38, 120, 8);
    sb->setLimits(minimum, maximum);
    sb->setPosition(position);
    return sb;
}

} // namespace

NightLengthCalculator::NightLengthCalculator(PanelHost& form, IsdTarget& target)
    : EditorPanel(form, "pAstroCalc", 29, 232, 364, 250), target_(target)
{
    auto* night = groupBox(this, "GroupBox9", QStringLiteral("Lenght of Night"), clMoneyGreen, 4, 2, 356, 212);

    auto* latitude = groupBox(night, "GroupBox8", QStringLiteral("Latitude "), clGradientActiveCaption, 8, 18,
                              150, 58);
    lLatitude = boldLabel(latitude, "lLatitude", QStringLiteral("N 50"), 10, 18);
    sbLatitude = slider(latitude, "sbLatitude", -124, 124, 100);
    connect(sbLatitude, &QScrollBar::valueChanged, this, &NightLengthCalculator::sbLatitudeChange);

    auto* date = groupBox(night, "Date", QStringLiteral("Date"), clSkyBlue, 8, 80, 150, 58);
    DateTimePicker1 = place(new QDateEdit(QDate(2014, 3, 10), date), "DateTimePicker1", 10, 24, 120, 21);
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("d MMM yyyy"));
    DateTimePicker1->setCursor(Qt::PointingHandCursor);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &NightLengthCalculator::CalcLoN);

    auto* twilight = groupBox(night, "GroupBox7", QStringLiteral("Twilight"), clSkyBlue, 8, 142, 150, 58);
    lHorizon = boldLabel(twilight, "lHorizon", QStringLiteral("-3"), 10, 18);
    sbHorizon = slider(twilight, "sbHorizon", -12, 0, -6);
    connect(sbHorizon, &QScrollBar::valueChanged, this, &NightLengthCalculator::sbHorizonChange);

    staticText(night, QStringLiteral("=>"), 176, 99, "Label18");
    eLoN = place(new QLineEdit(night), "eLoN", 200, 96, 65, 21);
    QPalette teal = eLoN->palette();
    teal.setColor(QPalette::Text, bgr(clTeal));
    eLoN->setPalette(teal);
    QFont bold = eLoN->font();
    bold.setBold(true);
    eLoN->setFont(bold);

    auto* dstOn = place(new QPushButton(QStringLiteral("Set DST Start"), night), "bDSTOn", 176, 140, 75, 25);
    auto* dstOff = place(new QPushButton(QStringLiteral("Set DST End"), night), "bDSTOff", 262, 140, 75, 25);
    connect(dstOn, &QPushButton::clicked, this, &NightLengthCalculator::bDSTOnClick);
    connect(dstOff, &QPushButton::clicked, this, &NightLengthCalculator::bDSTOffClick);

    connect(glyphButton(this, "bAstroCalcCancel", Glyph::Cancel, 310, 220), &QPushButton::clicked, this,
            &NightLengthCalculator::bAstroCalcCancelClick);
    connect(glyphButton(this, "bACHelp", Glyph::Help, 336, 220), &QPushButton::clicked, this,
            &NightLengthCalculator::bACHelpClick);

    buildHelp();

    if (QAbstractButton* open = target.nightCalculatorButton())
        connect(open, &QAbstractButton::clicked, this, &NightLengthCalculator::bADSTCalcClick);
}

void NightLengthCalculator::buildHelp()
{
    pHelpAstroCalc = place(new ClickLabel(&form()), "pHelpAstroCalc", helpLeft, helpOutTop, 364, 250);
    pHelpAstroCalc->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pHelpAstroCalc->setCursor(Qt::PointingHandCursor);
    setBackground(pHelpAstroCalc, bgr(clSkyBlue));
    connect(pHelpAstroCalc, &ClickLabel::clicked, this, &NightLengthCalculator::pHelpAstroCalcClick);
    const struct { const char* name; const char* text; } lines[] = {
        {"Label19", "Twilight begin/end"},
        {"Label20", "Twilight is defined according to the solar elevation angle, "},
        {"Label21", "which is the position of the geometric center of the sun "},
        {"Label22", "relative to the horizon. The further the Sun is below the horizon,"},
        {"Label25", "the dimmer the twilight."},
        {"Label23", "Civil twilight begins when the geometric center of the sun"},
        {"Label24", "is 6\u00B0 below the horizon."},
        {"Label26", "Our default value is 3\u00B0 below the horizon: at this angle  "},
        {"Label27", "in Middle Europe the illuminance is about 20 Lux."},
    };
    int top = 14;
    for (const auto& line : lines) {
        auto* l = place(new ClickLabel(pHelpAstroCalc), line.name, 8, top);
        l->setText(QString::fromUtf8(line.text));
        if (top == 14) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        l->adjustSize();
        connect(l, &ClickLabel::clicked, this, &NightLengthCalculator::pHelpAstroCalcClick);
        top += top == 14 ? 30 : 22;
    }
    pHelpAstroCalc->show();
}

void NightLengthCalculator::bADSTCalcClick()
{
    CalcLoN();
    show();
    raise();
}

void NightLengthCalculator::sbLatitudeChange(int halfDegrees)
{
    const QString point = QLocale().decimalPoint();
    lLatitude->setText(halfDegrees >= 0 ? QStringLiteral("N ") + halfUnitsText(halfDegrees, point)
                                        : QStringLiteral("S ") + halfUnitsText(-halfDegrees, point));
    CalcLoN();
}

void NightLengthCalculator::sbHorizonChange(int halfDegrees)
{
    lHorizon->setText(halfUnitsText(halfDegrees, QLocale().decimalPoint()));
    CalcLoN();
}

void NightLengthCalculator::CalcLoN()
{
    const QDate date = DateTimePicker1->date();
    const double latitude = sbLatitude->position() / 2.0;
    const double elevation = sbHorizon->position() / 2.0;
    if (date.year() < firstYear || elevation > 0 || elevation < -12)
        return; // no result: eLoN keeps its text
    const long jd = julianDay(date.day(), date.month(), date.year());
    if (jd == 0) {
        form().platform().showMessage(QStringLiteral("Invalid Date"));
        return;
    }
    // Where the sun does not reach the twilight elevation on that date the
    // night reads 00:00 (it never gets dark enough), or 24:00.
    eLoN->setText(showHoursMinutes(nightLength(jd, latitude, elevation)));
}

// The night length goes over rounded down to 5 minutes; an empty or short
// text gives "0". A typed text of five characters that is not HH:MM is no
// night length: nothing is copied and the calculator stays open.
void NightLengthCalculator::copyResult(bool dstStart)
{
    const QString text = eLoN->text();
    const std::optional<int> minutes = getTimeHM(text);
    if (!minutes || (text.size() == 5 && text[2] != u':')) {
        form().platform().beep();
        return;
    }
    target_.takeNightLength(dstStart, displayTimeHM(*minutes / 5 * 300));
    hide();
}

void NightLengthCalculator::bDSTOnClick()
{
    copyResult(true);
}

void NightLengthCalculator::bDSTOffClick()
{
    copyResult(false);
}

void NightLengthCalculator::bAstroCalcCancelClick()
{
    hide();
}

void NightLengthCalculator::bACHelpClick()
{
    pHelpAstroCalc->move(helpLeft, helpInTop);
    pHelpAstroCalc->raise();
}

void NightLengthCalculator::pHelpAstroCalcClick()
{
    pHelpAstroCalc->move(helpLeft, helpOutTop);
}

} // namespace nolt
