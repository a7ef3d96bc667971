#include "pgm/panels/MffPanel.h"

#include "image/NumberText.h"
#include "image/Rounding.h"
#include "pgm/kit/SliderEditor.h"
#include "pgm/panels/PanelHost.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace nolt {

namespace {

constexpr int hoursPerUnit = 500; // mffLifetime counts 500-hour units
const QString noLevel = QStringLiteral("-");

// The chart's scale: x = 49 + 100 per quarter of the lifetime, y = 446 for
// 0 % and 46 for 100 %.
constexpr int chartLeft = 49, chartQuarter = 100, chartZero = 446, chartPerCent = 4;

// The five level edits and the image bytes they hold.
constexpr std::pair<MffPanel::Field, int> levelBytes[] = {
    {MffPanel::fReduction, img::mffStart}, {MffPanel::fStopLevel, img::mffStop}, {MffPanel::fL1, img::mffL1},
    {MffPanel::fL2, img::mffL2},           {MffPanel::fL3, img::mffL3},
};

} // namespace

MffPanel::MffPanel(PanelHost& form) : EditorPanel(form, "pMFF", 269, 27, 300, 205)
{
    auto* mff = groupBox(this, "GroupBox12", QStringLiteral("MFF Setup"), clMoneyGreen, 4, 2, 292, 124);
    const struct { Field field; const char* name; const char* label; const char* unit; int y; } left[] = {
        {fLifeTime, "eLifeTime", "Lifetime", "h", 19},
        {fReduction, "eReduction", "Start Level", "%", 45},
        {fStopLevel, "eStopLevel", "Stop Level", "%", 71},
    };
    for (const auto& row : left) {
        staticText(mff, QString::fromLatin1(row.label), 8, row.y + 3);
        edits_[row.field - 1] = valueEdit(mff, row.name, 78, row.y, 56);
        staticText(mff, QString::fromLatin1(row.unit), 138, row.y + 3);
    }
    const struct { Field field; const char* name; const char* label; const char* labelName; int y; } right[] = {
        {fL1, "eL1", "L1", "Label11", 19},
        {fL2, "eL2", "L2", "Label12", 45},
        {fL3, "eL3", "L3", "Label13", 71},
    };
    for (const auto& row : right) {
        staticText(mff, QString::fromLatin1(row.label), 176, row.y + 3, row.labelName);
        ClickEdit* e = valueEdit(mff, row.name, 196, row.y, 40);
        e->setEnabled(false);
        edits_[row.field - 1] = e;
        staticText(mff, QStringLiteral("%"), 240, row.y + 3);
    }
    cbresetOH = place(new QCheckBox(QStringLiteral("Reset operating hours"), mff), "cbresetOH", 8, 98, 150, 18);
    cbresetOH->setLayoutDirection(Qt::RightToLeft); // text left of the box

    auto* bbt = groupBox(this, "GroupBox1", QStringLiteral("BBT Setup"), clSkyBlue, 4, 126, 292, 42);
    staticText(bbt, QStringLiteral("Burn-In Period"), 8, 20);
    edits_[fBurnIn - 1] = valueEdit(bbt, "eBurnIn", 104, 16, 56);
    staticText(bbt, QStringLiteral("h"), 164, 20);

    pMFFSlider = new SliderStrip(this, "pMFFSlider", "sbMFF", 3, 170);
    pMFFSlider->slider()->setLimits(0, 255);
    connect(pMFFSlider, &SliderStrip::sliderChanged, this, &MffPanel::sbMFFChange);

    connect(glyphButton(this, "bMFFOk", Glyph::Ok, 214, 176), &QPushButton::clicked, this, &MffPanel::bMFFOkClick);
    connect(glyphButton(this, "bMFFCancel", Glyph::Cancel, 241, 176), &QPushButton::clicked, this,
            &MffPanel::bMFFCancelClick);
    connect(glyphButton(this, "bMFFHelp", Glyph::Help, 268, 176), &QPushButton::clicked, this,
            &MffPanel::bMFFHelpClick);

    for (int f = fLifeTime; f <= fL3; ++f) {
        const auto field = static_cast<Field>(f);
        connect(edit(field), &ClickEdit::clicked, this, [this, field] { editClick(field); });
    }

    // The help plot: the chart, and above it a copy on which the profile
    // is drawn afresh at every opening.
    pHelpMFF = new HelpOverlay(this, "pHelpMFF", "Image7", QStringLiteral("chart_mff"), QSize(508, 508),
                               QRect(4, 4, 500, 500));
    iDummy2 = place(new ClickLabel(pHelpMFF), "iDummy2", 4, 4, 500, 500);
    iDummy2->setCursor(Qt::PointingHandCursor);
    connect(iDummy2, &ClickLabel::clicked, this, &MffPanel::Image7Click);

    MainScreen& screen = form.screen();
    connect(screen["iMFF_en"], &ClickLabel::clicked, this, &MffPanel::iMFF_enClick);
    connect(screen["sw_mff_off"], &ClickLabel::clicked, this, &MffPanel::sw_mff_offClick);
    connect(screen["SW_mff_on"], &ClickLabel::clicked, this, &MffPanel::SW_mff_onClick);
}

int MffPanel::number(Field field) const
{
    return parseDecimal(edit(field)->text(), true).value_or(0);
}

void MffPanel::setNumber(Field field, int value)
{
    edit(field)->setText(QString::number(value));
}

void MffPanel::showSwitchOff(bool off)
{
    form().screen()["MFF_dis"]->setVisible(off);
    form().screen()["sw_mff_off"]->setVisible(off);
}

void MffPanel::iMFF_enClick()
{
    if (busy())
        return;
    setMFF();
}

void MffPanel::sw_mff_offClick()
{
    if (busy())
        return;
    showSwitchOff(false);
    setMFF();
}

void MffPanel::SW_mff_onClick()
{
    if (busy())
        return;
    showSwitchOff(true);
    Bytes& e = state().eeBlock;
    e[img::mffLifetime] = 0;
    e[img::burnInTime] = 0;
    e[img::optionFlags] = ClearBit(e[img::optionFlags], img::bitResetOpHours);
    cbresetOH->setChecked(false);
}

void MffPanel::setLevelsEnabled(bool enabled)
{
    for (const auto& level : levelBytes)
        edit(level.first)->setEnabled(enabled);
}

void MffPanel::setMFF()
{
    const Bytes& e = state().eeBlock;
    setNumber(fBurnIn, e[img::burnInTime]);
    const int hours = e[img::mffLifetime] * hoursPerUnit;
    setNumber(fLifeTime, hours);
    for (const auto& [field, byte] : levelBytes) {
        if (hours != 0)
            setNumber(field, e[byte]);
        else
            edit(field)->setText(noLevel);
    }
    setLevelsEnabled(edit(fLifeTime)->text() != QLatin1String("0"));
    // cbresetOH keeps the state in which the panel was last left.
    openPanel();
}

void MffPanel::bindSlider(Field field, int position, int minimum, int maximum)
{
    setSliderTag(pMFFSlider->slider(), field);
    for (ClickEdit* e : edits_)
        e->setEdited(e == edit(field));
    pMFFSlider->slider()->setParams(position, minimum, maximum);
    pMFFSlider->show();
}

void MffPanel::editClick(Field field)
{
    switch (field) {
    case fLifeTime:
        return bindSlider(field, number(fLifeTime) / hoursPerUnit, 0, 255);
    case fReduction:
        return bindSlider(field, number(fReduction), 0, 100);
    case fBurnIn:
        return bindSlider(field, number(fBurnIn), 0, 255);
    case fStopLevel:
        // A start level above 100 % (only from image bytes) gives no range
        // up to 100: the stop level then stays at 100.
        return bindSlider(field, number(fStopLevel), std::min(number(fReduction), 100), 100);
    case fL1:
        return eLClick(field, number(fL1), number(fReduction), number(fL2));
    case fL2:
        return eLClick(field, number(fL2), number(fL1), number(fL3));
    case fL3:
        return eLClick(field, number(fL3), number(fL2), number(fStopLevel));
    }
}

// An intermediate level moves between its neighbours. On a falling profile
// (start above stop) the neighbours come in the other order, so the range
// runs from the lower to the higher one; levels stay within 0..100 %.
void MffPanel::eLClick(Field field, int position, int neighbourBelow, int neighbourAbove)
{
    const int low = std::clamp(std::min(neighbourBelow, neighbourAbove), 0, 100);
    const int high = std::clamp(std::max(neighbourBelow, neighbourAbove), 0, 100);
    bindSlider(field, position, low, high);
}

void MffPanel::sbMFFChange(int p)
{
    const auto field = static_cast<Field>(sliderTag(pMFFSlider->slider()));
    switch (field) {
    case fLifeTime:
        setNumber(fLifeTime, p * hoursPerUnit);
        if (p != 0) {
            if (edit(fReduction)->text() == noLevel) { // the lifetime was 0 until now
                setNumber(fReduction, 80);
                setNumber(fStopLevel, 100);
            }
            setLevelsEnabled(true);
            calculatePoints();
        } else {
            for (const auto& level : levelBytes)
                edit(level.first)->setText(noLevel);
            setLevelsEnabled(false);
        }
        break;
    case fReduction:
    case fStopLevel:
        setNumber(field, p);
        calculatePoints();
        break;
    case fBurnIn:
    case fL1:
    case fL2:
    case fL3:
        setNumber(field, p);
        break;
    }
}

void MffPanel::calculatePoints()
{
    const int start = number(fReduction);
    const int d = number(fStopLevel) - start;
    const std::pair<Field, double> points[] = {{fL1, 0.25}, {fL2, 0.5}, {fL3, 0.75}};
    for (const auto& [field, share] : points)
        setNumber(field, static_cast<int>(roundHalfEven(start + d * share)));
}

void MffPanel::closeMFF()
{
    pMFFSlider->close();
    for (ClickEdit* e : edits_)
        e->setEdited(false);
    closePanel();
}

void MffPanel::bMFFOkClick()
{
    Bytes& e = state().eeBlock;
    const int hours = number(fLifeTime);
    e[img::mffLifetime] = static_cast<std::uint8_t>(hours / hoursPerUnit);
    for (const auto& [field, byte] : levelBytes)
        e[byte] = static_cast<std::uint8_t>(hours != 0 ? number(field) : 0);
    e[img::burnInTime] = static_cast<std::uint8_t>(number(fBurnIn));
    putBit(e[img::optionFlags], img::bitResetOpHours, cbresetOH->isChecked());
    if (e[img::mffLifetime] == 0 && e[img::burnInTime] == 0)
        showSwitchOff(true);
    closeMFF();
}

void MffPanel::bMFFCancelClick()
{
    closeMFF();
    const Bytes& e = state().eeBlock;
    // Undoes the switch picture that sw_mff_offClick turned on.
    if (e[img::mffLifetime] == 0 && e[img::burnInTime] == 0)
        showSwitchOff(true);
}

void MffPanel::bMFFHelpClick()
{
    QPixmap plot = pHelpMFF->picture()->pixmap(); // a clean chart every time
    {
        QPainter p(&plot);
        p.setPen(QPen(bgr(clRed), 2));
        if (edit(fLifeTime)->text() != QLatin1String("0")) {
            const Field profile[] = {fReduction, fL1, fL2, fL3, fStopLevel};
            QPolygon line;
            for (int i = 0; i < 5; ++i)
                line << QPoint(chartLeft + i * chartQuarter, chartZero - chartPerCent * number(profile[i]));
            p.drawPolyline(line);
        } else {
            QFont f = font();
            f.setPointSize(12);
            p.setFont(f);
            p.drawText(QRect(240, 240, 240, 40), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Lifetime?"));
        }
    }
    iDummy2->setPixmap(plot);
    pHelpMFF->open();
}

void MffPanel::Image7Click()
{
    pHelpMFF->close();
}

} // namespace nolt
