#include "pgm/panels/BlockTimePanel.h"

#include "image/TimeCodes.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/panels/PanelHelpers.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

namespace {
constexpr int secondsPerStep = 5;
constexpr int lastStep = 255; // 00:21:15
} // namespace

BlockTimePanel::BlockTimePanel(PanelHost& form) : EditorPanel(form, "pBlockTime", 29, 27, 302, 116)
{
    auto* box = groupBox(this, "GroupBox11", QStringLiteral("Block Time Setup"), clMoneyGreen, 7, 4, 281, 65);
    eBlockTime_ = valueEdit(box, "eBlockTime", 150, 18, 55);
    captionLeftOf(eBlockTime_, QStringLiteral("Blocking Time"), 77, 22);
    staticText(box, QStringLiteral("HH:MM:SS"), 211, 22);

    pBTSlider_ = new SliderStrip(this, "pBTSlider", "sbBlockTime", 7, 71);
    pBTSlider_->slider()->setLimits(0, lastStep);

    glyphButton(this, this, "bTBlockOK", Glyph::Ok, 216, 75, &BlockTimePanel::bTBlockOKClick);
    glyphButton(this, this, "bTBlockCancel", Glyph::Cancel, 241, 75, &BlockTimePanel::bTBlockCancelClick);
    panelHelp(this, glyphButton(this, "SpeedButton2", Glyph::Help, 266, 75), "pHelpBlock", "Image6",
              "help_block_time");

    connect(eBlockTime_, &ClickEdit::clicked, this, &BlockTimePanel::eBlockTimeClick);
    connect(pBTSlider_, &SliderStrip::sliderChanged, this, &BlockTimePanel::sbBlockTimeChange);

    onScreenClicks<BlockTimePanel>(form.screen(), this,
                                   {{"sw_block_open", &BlockTimePanel::sw_block_openClick},
                                    {"SW_block_close", &BlockTimePanel::SW_block_closeClick},
                                    {"iTBlock_en", &BlockTimePanel::iTBlock_enClick},
                                    {"lBlock", &BlockTimePanel::iTBlock_enClick}});
}

// Switching on shows the on pictures and opens the panel; the image changes
// only with OK.
void BlockTimePanel::sw_block_openClick()
{
    if (busy())
        return;
    showPictures(form().screen(), {"Block_dis", "sw_block_open"}, false);
    showPictures(form().screen(), {"iTBlock_en", "SW_block_close"}, true);
    iTBlock_enClick();
}

void BlockTimePanel::SW_block_closeClick()
{
    if (busy())
        return;
    state().eeBlock[img::blockTime] = 0;
    showOff();
}

void BlockTimePanel::iTBlock_enClick()
{
    if (busy())
        return;
    eBlockTime_->setText(displayTime(state().eeBlock[img::blockTime] * secondsPerStep));
    openPanel();
}

void BlockTimePanel::eBlockTimeClick()
{
    pBTSlider_->slider()->setPosition(getTime(eBlockTime_->text()) / secondsPerStep);
    pBTSlider_->show();
}

void BlockTimePanel::sbBlockTimeChange(int position)
{
    eBlockTime_->setText(displayTime(position * secondsPerStep));
}

void BlockTimePanel::bTBlockOKClick()
{
    const auto steps = static_cast<std::uint8_t>(getTime(eBlockTime_->text()) / secondsPerStep);
    state().eeBlock[img::blockTime] = steps;
    if (steps != 0)
        showLabel(form().screen()["lBlock"], displayTime(steps * secondsPerStep));
    else
        showOff();
    pBTSlider_->close();
    closePanel();
}

void BlockTimePanel::bTBlockCancelClick()
{
    if (state().eeBlock[img::blockTime] == 0)
        showPictures(form().screen(), {"Block_dis", "sw_block_open"}, true);
    pBTSlider_->close();
    closePanel();
}

void BlockTimePanel::showOff()
{
    showPictures(form().screen(), {"Block_dis", "sw_block_open"}, true);
    form().screen()["lBlock"]->hide();
}

} // namespace nolt
