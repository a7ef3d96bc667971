#include "pgm/panels/PowerOnPanel.h"

#include "image/TimeCodes.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/panels/PanelHelpers.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

namespace {
const QString randomText = QStringLiteral("Random");
const QString zeroText = QStringLiteral("0");
} // namespace

PowerOnPanel::PowerOnPanel(PanelHost& form) : EditorPanel(form, "pStartupDelay", 29, 149, 418, 161)
{
    auto* values = groupBox(this, "GroupBox10", QStringLiteral("Power On Setup"), clMoneyGreen, 9, 1, 400, 60);
    edits_.delay = valueEdit(values, "ePORelayDelay", 40, 20, 58);
    captionLeftOf(edits_.delay, QStringLiteral("Delay"), 8, 23);
    cbRandom_ = checkBox(values, "cbRandom", randomText, 40, 41);
    edits_.fade = valueEdit(values, "ePOFade", 174, 21, 58);
    captionLeftOf(edits_.fade, QStringLiteral("Fade Speed"), 116, 24);
    staticText(values, QStringLiteral("s/%"), 235, 24);
    edits_.level = valueEdit(values, "ePOLevel", 332, 21, 44);
    captionLeftOf(edits_.level, QStringLiteral("Level"), 301, 24);
    staticText(values, QStringLiteral("%"), 379, 24);

    auto* option = groupBox(this, "GroupBox15", QStringLiteral("DPC/DOO"), clSkyBlue, 9, 66, 400, 48);
    cbEnableDPC_ = checkBox(option, "cbEnableDPC", QStringLiteral("Enable DPC / DOO"), 257, 18, true);

    pPOSlider_ = new SliderStrip(this, "pPOSlider", "sbPU", 8, 120, "combRange");
    pPOSlider_->slider()->setLimits(0, 60);
    glyphButton(this, this, "bDPC_OK", Glyph::Ok, 326, 126, &PowerOnPanel::bDPC_OKClick);
    glyphButton(this, this, "bDPC_Cancel", Glyph::Cancel, 355, 126, &PowerOnPanel::bDPC_CancelClick);
    panelHelp(this, glyphButton(this, "bHelpPowerOn", Glyph::Help, 384, 126), "pHelpPowerOn", "Image4",
              "help_power_on");

    connect(edits_.delay, &ClickEdit::clicked, this, [this] { clickEdit(kindTime); });
    connect(edits_.fade, &ClickEdit::clicked, this, [this] { clickEdit(kindFade); });
    connect(edits_.level, &ClickEdit::clicked, this, [this] { clickEdit(kindLevel); });
    connect(pPOSlider_, &SliderStrip::sliderChanged, this, &PowerOnPanel::sbPUChange);
    connect(pPOSlider_, &SliderStrip::rangeChosen, this, &PowerOnPanel::combRangeClick);
    connect(cbRandom_, &QCheckBox::toggled, this, &PowerOnPanel::cbRandomClick);

    onScreenClicks<PowerOnPanel>(form.screen(), this,
                                 {{"iTDpc_en", &PowerOnPanel::iTDpc_enClick},
                                  {"lPO_Delay", &PowerOnPanel::iTDpc_enClick},
                                  {"lPO_Fade", &PowerOnPanel::iTDpc_enClick},
                                  {"lPO_Level", &PowerOnPanel::iTDpc_enClick}});
    connect(&form, &PanelHost::displayRefreshed, this, &PowerOnPanel::displayRefreshed);
}

void PowerOnPanel::iTDpc_enClick()
{
    if (busy())
        return;
    const Bytes& e = state().eeBlock;
    edits_.level->setText(QString::number(e[img::poLevel]));
    const bool random = e[img::poDelay] == img::poDelayRandom;
    edits_.delay->setText(random ? randomText : displayTime(DecodeTime(e[img::poDelay])));
    edits_.delay->setEnabled(!random);
    setTicked(cbRandom_, random);
    edits_.fade->setText(displayTime2(DecodeTime(e[img::poFade])));

    const bool delayed = edits_.delay->text() != zeroText;
    cbEnableDPC_->setEnabled(delayed);
    cbEnableDPC_->setChecked(delayed && TestBit(e[img::optionFlags], img::bitDpcEnable));
    openPanel();
}

void PowerOnPanel::clickEdit(int kind)
{
    nolt::clickEdit(kind, edits_, pPOSlider_->combo(), pPOSlider_->slider(), state().eeBlock[img::minLevel]);
    pPOSlider_->show();
}

void PowerOnPanel::sbPUChange()
{
    sliderChange(edits_, pPOSlider_->combo(), pPOSlider_->slider());
    dpcRule();
}

void PowerOnPanel::combRangeClick()
{
    comboChange(edits_, pPOSlider_->combo(), pPOSlider_->slider());
}

void PowerOnPanel::dpcRule()
{
    if (edits_.delay->text() != zeroText) {
        cbEnableDPC_->setEnabled(true);
    } else {
        cbEnableDPC_->setEnabled(false);
        cbEnableDPC_->setChecked(false);
    }
}

// Random is written into the image at once, whether or not the panel is
// confirmed later.
void PowerOnPanel::cbRandomClick(bool ticked)
{
    std::uint8_t& delay = state().eeBlock[img::poDelay];
    if (ticked) {
        delay = img::poDelayRandom;
        edits_.delay->setText(randomText);
        edits_.delay->setEnabled(false);
        pPOSlider_->close();
        cbEnableDPC_->setEnabled(true);
        return;
    }
    if (delay == img::poDelayRandom) {
        delay = 0;
        edits_.delay->setText(zeroText);
    }
    edits_.delay->setEnabled(true);
    cbEnableDPC_->setEnabled(false);
    cbEnableDPC_->setChecked(false);
}

void PowerOnPanel::bDPC_OKClick()
{
    Bytes& e = state().eeBlock;
    const QString level = edits_.level->text();
    const QString delay = edits_.delay->text();
    const QString fade = edits_.fade->text();
    e[img::poLevel] = static_cast<std::uint8_t>(editNumber(edits_.level));
    e[img::poDelay] = delay == randomText ? img::poDelayRandom
                                          : static_cast<std::uint8_t>(convertTime(getTime(delay)));
    e[img::poFade] = static_cast<std::uint8_t>(convertTime(getTime2(fade)));
    closeEditing();
    putBit(e[img::optionFlags], img::bitDpcEnable, cbEnableDPC_->isChecked());

    MainScreen& screen = form().screen();
    showLabel(screen["lPO_Level"], QStringLiteral("L=") + level + QStringLiteral("%"));
    showLabel(screen["lPO_Delay"], QStringLiteral("D=") + delay);
    showLabel(screen["lPO_Fade"], QStringLiteral("F=") + fade);
}

// Only Random may have written the image; the tile shows what it holds now.
void PowerOnPanel::bDPC_CancelClick()
{
    closeEditing();
    form().screen().displayPowerOn(state().eeBlock);
}

void PowerOnPanel::closeEditing()
{
    pPOSlider_->close();
    closePanel();
    for (ClickEdit* edit : {edits_.delay, edits_.fade, edits_.level})
        edit->setEdited(false);
}

void PowerOnPanel::displayRefreshed()
{
    if (state().eeBlock[img::poDelay] == img::poDelayRandom)
        setTicked(cbRandom_, true);
}

} // namespace nolt
