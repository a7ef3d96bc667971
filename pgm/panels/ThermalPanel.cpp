#include "pgm/panels/ThermalPanel.h"

#include "pgm/kit/SliderEditor.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/panels/PanelHelpers.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace nolt {

namespace {

constexpr int lowestThreshold = 30, highestThreshold = 85; // 30 on the slider means none
constexpr int lowestCal = 9, highestCal = 80;

bool validThreshold(int t)
{
    return t >= lowestThreshold && t <= highestThreshold;
}

// The calibration byte is the temperature in units of 52800/65536 °C.
std::uint8_t calibrationCode(int celsius)
{
    return static_cast<std::uint8_t>(static_cast<long long>(std::nearbyint(celsius * 65536.0L / 52800)));
}

int calibrationCelsius(std::uint8_t code)
{
    return static_cast<int>(std::nearbyint(code * 52800.0L / 65536));
}

// Clears the image's thermal bytes from `first` up to the last level.
void clearRows(Bytes& e, int first)
{
    std::fill(e.begin() + first, e.begin() + img::tmL3 + 1, 0);
}

} // namespace

ThermalPanel::ThermalPanel(PanelHost& form) : EditorPanel(form, "pThermoM", 616, 8, 272, 222)
{
    auto* rows = groupBox(this, "GroupBox3", QStringLiteral("Thermo-Management"), clSkyBlue, 8, 10, 257, 127);
    static const char* const names[] = {"eOutput_T1", "eOutput_T2", "eOutput_T3",
                                        "eOutput_L1", "eOutput_L2", "eOutput_L3"};
    for (int row = 0; row < 3; ++row) {
        const int y = 24 + 31 * row;
        edits_[row] = valueEdit(rows, names[row], 56, y, 34);
        captionLeftOf(edits_[row], QStringLiteral("T%1").arg(row + 1), 38, y + 3);
        staticText(rows, QStringLiteral("C° -->"), 94, y + 3);
        edits_[row + 3] = valueEdit(rows, names[row + 3], 136, y, 33);
        staticText(rows, QStringLiteral("%"), 173, y + 3);
    }
    cbOutput_Off_ = checkBox(rows, "cbOutput_Off", QStringLiteral("Off"), 195, 28);

    auto* cal = groupBox(this, "GroupBox4", QStringLiteral("T- Calibration"), clSilver, 8, 138, 257, 41);
    lCalWarning_ = staticText(cal, QStringLiteral("Not empty!"), 14, 16, "lCalWarning");
    QPalette red = lCalWarning_->palette();
    red.setColor(QPalette::WindowText, bgr(clRed));
    lCalWarning_->setPalette(red);
    QFont bold = lCalWarning_->font();
    bold.setBold(true);
    lCalWarning_->setFont(bold);
    lCalWarning_->hide();
    edits_[tagCal - tagT1] = valueEdit(cal, "eOutput_T_Cal", 136, 12, 33);
    staticText(cal, QStringLiteral("C°"), 173, 15);
    for (ClickEdit* e : edits_)
        e->clear();

    pThermo_ = new SliderStrip(this, "pThermo", "sbThermo", 8, 180);
    glyphButton(this, this, "bTMOk", Glyph::Ok, 215, 185, &ThermalPanel::bTMOkClick);
    glyphButton(this, this, "bTMCancel", Glyph::Cancel, 244, 185, &ThermalPanel::bTMCancelClick);

    for (int tag = tagT1; tag <= tagCal; ++tag)
        connect(edit(tag), &ClickEdit::clicked, this, [this, tag] {
            pThermo_->show();
            eTMSlider(tag);
        });
    connect(pThermo_, &SliderStrip::sliderChanged, this, &ThermalPanel::sbThermoChange);

    onScreenClicks<ThermalPanel>(form.screen(), this,
                                 {{"sw_tm_off", &ThermalPanel::sw_tm_offClick},
                                  {"sw_tm_on", &ThermalPanel::sw_tm_onClick},
                                  {"iTM", &ThermalPanel::iTMClick}});
}

void ThermalPanel::showSwitch(bool on)
{
    showPictures(form().screen(), {"sw_tm_on"}, on);
    showPictures(form().screen(), {"sw_tm_off", "iTM_dis"}, !on);
}

// Switching on shows the on picture and opens the panel; the feature is on
// only after OK with T1 set.
void ThermalPanel::sw_tm_offClick()
{
    if (busy())
        return;
    showPictures(form().screen(), {"sw_tm_off"}, false);
    showPictures(form().screen(), {"sw_tm_on"}, true);
    displayTM();
}

// Switching off keeps the thresholds in the image.
void ThermalPanel::sw_tm_onClick()
{
    if (busy())
        return;
    switchFeature(form().screen(), state().eeBlock, img::bitTmEnable, false, {"sw_tm_off", "iTM_dis"}, {"sw_tm_on"});
}

void ThermalPanel::iTMClick()
{
    if (!busy())
        displayTM();
}

// Opening clears, at once, whatever the panel cannot show: everything
// while the feature is off, else every row from the first invalid one.
void ThermalPanel::displayTM()
{
    openPanel();
    Bytes& e = state().eeBlock;
    if (!TestBit(e[img::featureFlags], img::bitTmEnable)) {
        for (ClickEdit* edit : edits_)
            edit->clear();
        cbOutput_Off_->setChecked(false);
        lCalWarning_->hide();
        clearRows(e, img::tmT1);
        e[img::tmCal] = img::tmCalNone;
        return;
    }
    fillRows();
    if (e[img::tmCal] != img::tmCalNone) {
        lCalWarning_->setText(QStringLiteral("Not empty:(%1°C)!").arg(calibrationCelsius(e[img::tmCal])));
        lCalWarning_->adjustSize();
        lCalWarning_->show();
    } else {
        lCalWarning_->hide();
    }
    edit(tagCal)->clear();
}

void ThermalPanel::fillRows()
{
    Bytes& e = state().eeBlock;
    static const int thresholds[] = {img::tmT1, img::tmT2, img::tmT3};
    for (int row = 0; row < 3; ++row) {
        const int t = thresholds[row];
        const std::uint8_t level = e[t + 1];
        if (!validThreshold(e[t])) {
            for (int r = row; r < 3; ++r) {
                edit(tagT1 + r)->clear();
                edit(tagL1 + r)->clear();
            }
            if (row == 0) {
                cbOutput_Off_->setChecked(false);
                e[img::tmCal] = img::tmCalNone;
            }
            clearRows(e, t);
            return;
        }
        edit(tagT1 + row)->setText(QString::number(e[t]));
        const bool off = row == 0 && TestBit(level, img::bitTmOutputOff);
        if (row == 0)
            cbOutput_Off_->setChecked(off);
        edit(tagL1 + row)->setText(QString::number(off ? 0 : std::min(level & img::levelMask, 100)));
    }
}

int ThermalPanel::thresholdMax(int tag) const
{
    if (tag == tagT1)
        return highestThreshold;
    const int above = editNumber(edit(tag - 1));
    return above > lowestThreshold ? above - 1 : highestThreshold;
}

// The slider opens where the edit stands, within the edit's range; the
// edit then shows the slider's value, or stays empty for a threshold at
// the slider's lowest position (none) and for an empty calibration.
void ThermalPanel::eTMSlider(int tag)
{
    ScrollBar* sb = pThermo_->slider();
    ClickEdit* e = edit(tag);
    setSliderTag(sb, tag);
    eTMColorWindowText();
    e->setEdited(true);
    const int v = editNumber(e);
    const bool threshold = tag <= tagT3;
    {
        const QSignalBlocker quiet(sb);
        if (threshold)
            sb->setLimits(lowestThreshold, thresholdMax(tag));
        else if (tag == tagCal)
            sb->setLimits(lowestCal, highestCal);
        else
            sb->setLimits(0, 100);
        sb->setPosition(v);
    }
    const int p = sb->position();
    const bool empty = threshold ? (v <= lowestThreshold || p == lowestThreshold) : (tag == tagCal && v < 1);
    if (empty)
        e->clear();
    else
        e->setText(QString::number(p));
}

void ThermalPanel::sbThermoChange()
{
    ScrollBar* sb = pThermo_->slider();
    const int tag = sliderTag(sb);
    if (tag < tagT1 || tag > tagCal)
        return;
    ClickEdit* e = edit(tag);
    if (tag > tagT3) {
        e->setText(QString::number(sb->position()));
        return;
    }
    // A threshold is written only below a set threshold above it; lowering
    // the maximum may move the slider, which writes the edit again.
    if (tag == tagT1 || editNumber(edit(tag - 1)) > lowestThreshold) {
        sb->setMax(thresholdMax(tag));
        e->setText(QString::number(sb->position()));
    }
    if (sb->position() == sb->minimum())
        e->clear();
}

void ThermalPanel::eTMColorWindowText()
{
    for (ClickEdit* e : edits_)
        e->setEdited(false);
}

void ThermalPanel::bTMOkClick()
{
    closePanel();
    Bytes& e = state().eeBlock;
    auto number = [this](int tag) { return static_cast<std::uint8_t>(editNumber(edit(tag))); };
    auto set = [this](int tag) { return !edit(tag)->text().isEmpty(); };
    const bool on = set(tagT1);
    if (on) {
        e[img::tmT1] = number(tagT1);
        e[img::tmL1] = static_cast<std::uint8_t>(number(tagL1) + (cbOutput_Off_->isChecked() ? 128 : 0));
        if (set(tagT2)) {
            e[img::tmT2] = number(tagT2);
            e[img::tmL2] = number(tagL2);
            e[img::tmT3] = set(tagT3) ? number(tagT3) : 0;
            e[img::tmL3] = set(tagT3) ? number(tagL3) : 0;
        } else {
            clearRows(e, img::tmT2);
        }
    } else {
        clearRows(e, img::tmT1);
    }
    putBit(e[img::featureFlags], img::bitTmEnable, on);
    showSwitch(on);
    e[img::tmCal] = set(tagCal) ? calibrationCode(editNumber(edit(tagCal))) : img::tmCalNone;
    closeEditing();
}

void ThermalPanel::bTMCancelClick()
{
    closePanel();
    showSwitch(TestBit(state().eeBlock[img::featureFlags], img::bitTmEnable));
    closeEditing();
}

void ThermalPanel::closeEditing()
{
    eTMColorWindowText();
    pThermo_->close();
}

} // namespace nolt
