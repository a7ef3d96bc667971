#include "pgm/panels/LstPanel.h"

#include "image/TimeCodes.h"
#include "pgm/kit/SliderEditor.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

namespace {

// The hold time's own range items; unlike the power-on ones without a blank.
const char* const holdItems[] = {"->00:01:00", "->00:10:00", "->01:00:00", "->15:00:00"};

} // namespace

LstPanel::LstPanel(PanelHost& form) : EditorPanel(form, "pTHold", 239, 460, 330, 100)
{
    QGroupBox* box = groupBox(this, "GroupBox13", QStringLiteral(" Hold Time Setup "), clMoneyGreen, 4, 4, 322, 58);
    staticText(box, QStringLiteral("Input Hold Time"), 10, 27);
    eHoldTime_ = valueEdit(box, "eHoldTime", 100, 23, 76);
    staticText(box, QStringLiteral("HH:MM:SS"), 182, 27);
    auto* ok = glyphButton(box, "bTHoldOK", Glyph::Ok, 260, 22);
    auto* cancel = glyphButton(box, "bTHoldCancel", Glyph::Cancel, 288, 22);

    pHoldTime_ = new SliderStrip(this, "pHoldTime", "sbHold", 8, 64, "combHold");
    ScrollBar* slider = pHoldTime_->slider();
    slider->setLimits(0, 60);
    setSliderTag(slider, kindTime);
    for (const char* item : holdItems)
        pHoldTime_->combo()->addItem(QString::fromLatin1(item));
    pHoldTime_->combo()->setCurrentIndex(-1);

    connect(eHoldTime_, &ClickEdit::clicked, this, &LstPanel::eHoldTimeClick);
    connect(pHoldTime_, &SliderStrip::sliderChanged, this, &LstPanel::sbHoldChange);
    connect(pHoldTime_, &SliderStrip::rangeChosen, this, &LstPanel::combHoldClick);
    connect(ok, &QPushButton::clicked, this, &LstPanel::bTHoldOKClick);
    connect(cancel, &QPushButton::clicked, this, &LstPanel::bTHoldCancelClick);

    onScreenClicks<LstPanel>(form.screen(), this,
                             {{"sw_lst_open", &LstPanel::sw_lst_openClick},
                              {"SW_lst_close", &LstPanel::SW_lst_closeClick},
                              {"iLst_en", &LstPanel::iLst_enClick},
                              {"iLST_pol", &LstPanel::iLST_polClick},
                              {"sw_hold_off", &LstPanel::sw_hold_offClick},
                              {"sw_hold_on", &LstPanel::sw_hold_onClick},
                              {"iTHold_en", &LstPanel::iTHold_enClick},
                              {"lHold", &LstPanel::iTHold_enClick}});
}

// Switching the LST timer on always starts with the hold time off.
void LstPanel::sw_lst_openClick()
{
    if (busy() || state().remoteDim)
        return;
    switchFeature(form().screen(), state().eeBlock, img::bitLstEnable, true, {},
                  {"LST_dis", "sw_lst_open", "SW_hold_dis", "dm2_dis"});
    sw_hold_onClick();
}

// The hold time is kept while the timer is off, but not shown: its tile is
// greyed and takes no clicks.
void LstPanel::SW_lst_closeClick()
{
    if (busy())
        return;
    switchFeature(form().screen(), state().eeBlock, img::bitLstEnable, false,
                  {"LST_dis", "SW_hold_dis", "HOLD_dis", "sw_lst_open", "dm2_dis"}, {"lHold"});
}

void LstPanel::iLst_enClick()
{
    if (!busy())
        switchFeature(form().screen(), state().eeBlock, img::bitLstInvert, true, {"iLST_pol"}, {"iLst_en"});
}

void LstPanel::iLST_polClick()
{
    if (!busy())
        switchFeature(form().screen(), state().eeBlock, img::bitLstInvert, false, {"iLst_en"}, {"iLST_pol"});
}

// The switch shows off: uncover the tile and let the panel set a time.
// Nothing is written before OK.
void LstPanel::sw_hold_offClick()
{
    if (busy())
        return;
    showPictures(form().screen(), {"HOLD_dis", "sw_hold_off"}, false);
    setHoldTime();
}

// The switch shows on: the hold time goes off at once.
void LstPanel::sw_hold_onClick()
{
    if (busy())
        return;
    showHoldOff();
    state().eeBlock[img::holdTime] = 0;
}

void LstPanel::iTHold_enClick()
{
    if (busy())
        return;
    setHoldTime();
}

void LstPanel::setHoldTime()
{
    eHoldTime_->setText(displayTime(DecodeTime(state().eeBlock[img::holdTime])));
    pHoldTime_->close();
    openPanel();
}

// The slider stands at the step nearest below the stored time, or at its
// end for a time beyond its reach (up to 15:45:00); the text keeps the
// stored time until the slider or the range selector is moved.
void LstPanel::eHoldTimeClick()
{
    initSlider(getTime(eHoldTime_->text()), kindTime, pHoldTime_->combo(), pHoldTime_->slider());
    pHoldTime_->combo()->show();
    pHoldTime_->show();
}

void LstPanel::sbHoldChange()
{
    sliderChange(EditGroup{eHoldTime_}, pHoldTime_->combo(), pHoldTime_->slider());
}

void LstPanel::combHoldClick()
{
    comboChange(EditGroup{eHoldTime_}, pHoldTime_->combo(), pHoldTime_->slider());
}

void LstPanel::bTHoldOKClick()
{
    const std::uint8_t code = static_cast<std::uint8_t>(convertTime(getTime(eHoldTime_->text())));
    state().eeBlock[img::holdTime] = code;
    if (code != 0)
        showHoldLabel(eHoldTime_->text());
    else
        showHoldOff();
    closeHoldPanel();
}

// Nothing is written; the main screen goes back to the stored hold time.
void LstPanel::bTHoldCancelClick()
{
    closeHoldPanel();
    const std::uint8_t code = state().eeBlock[img::holdTime];
    if (code != 0)
        showHoldLabel(displayTime(DecodeTime(code)));
    else
        showHoldOff();
}

void LstPanel::showHoldOff()
{
    MainScreen& s = form().screen();
    showPictures(s, {"HOLD_dis", "sw_hold_off"}, true);
    showPictures(s, {"lHold"}, false);
}

void LstPanel::showHoldLabel(const QString& text)
{
    ClickLabel* label = form().screen()["lHold"];
    label->setText(text);
    label->adjustSize();
    label->show();
}

void LstPanel::closeHoldPanel()
{
    pHoldTime_->close();
    closePanel();
}

} // namespace nolt
