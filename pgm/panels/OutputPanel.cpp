#include "pgm/panels/OutputPanel.h"

#include "pgm/kit/Artwork.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/panels/CurveChooser.h"
#include "pgm/panels/PanelHelpers.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

OutputPanel::OutputPanel(PanelHost& form) : EditorPanel(form, "pOutput", 721, 134, 274, 125)
{
    auto* box = groupBox(this, "GroupBox14", QStringLiteral("Output Setup"), clMoneyGreen, 8, 10, 257, 69);
    eMinLevel_ = valueEdit(box, "eMinLevel", 136, 12, 44);
    captionLeftOf(eMinLevel_, QStringLiteral("Minimum level"), 53, 19);
    staticText(box, QStringLiteral("%"), 186, 16);
    cbDaliLog_ = checkBox(box, "cbDaliLog", QStringLiteral("Logarithmic"), 53, 31, true);
    cbDaliLog_->setChecked(true);
    cbStorePOL_ = checkBox(box, "cbStorePOL", QStringLiteral("Store POL"), 53, 49, true);
    cbDC_ = checkBox(box, "cbDC", correctionOff(), 81, 41);
    cbDC_->resize(172, cbDC_->height());
    cbDC_->hide();
    bDC_ = place(new QPushButton(box), "bDC", 53, 39, 23, 23);
    bDC_->setIcon(QIcon(art::picture(QStringLiteral("glyph_curve"), QSize(17, 17))));
    bDC_->setIconSize(QSize(17, 17));
    bDC_->setCursor(Qt::PointingHandCursor);
    bDC_->hide();

    pMinLevel_ = new SliderStrip(this, "pMinLevel", "sbMinLevel", 8, 80);
    glyphButton(this, this, "bOutput_OK", Glyph::Ok, 216, 85, &OutputPanel::bOutput_OKClick);
    glyphButton(this, this, "bOutput_Cancel", Glyph::Cancel, 241, 85, &OutputPanel::bOutput_CancelClick);

    connect(eMinLevel_, &ClickEdit::clicked, this, &OutputPanel::eMinLevelClick);
    connect(pMinLevel_, &SliderStrip::sliderChanged, this, &OutputPanel::sbMinLevelChange);
    connect(cbDC_, &QCheckBox::toggled, this, &OutputPanel::cbDCClick);

    onScreenClicks<OutputPanel>(form.screen(), this,
                                {{"SW_DALI", &OutputPanel::SW_DALIClick},
                                 {"SW_Ten", &OutputPanel::SW_TenClick},
                                 {"SW_PWM", &OutputPanel::SW_PWMClick},
                                 {"Dali", &OutputPanel::outputClick},
                                 {"iTen", &OutputPanel::outputClick},
                                 {"PWM", &OutputPanel::outputClick},
                                 {"lMinLevel", &OutputPanel::outputClick}});
    connect(&form, &PanelHost::displayRefreshed, this, &OutputPanel::displayRefreshed);
}

bool OutputPanel::daliShown() const
{
    return !form().screen()["Dali"]->isHidden();
}

void OutputPanel::writeOutputMode(std::uint8_t mode)
{
    for (const int bit : {img::bitOutputDali, img::bitOutputLinear})
        putBit(state().eeBlock[img::featureFlags], bit, TestBit(mode, bit));
}

// The mode switch cycles DALI -> 1-10V -> PWM -> DALI logarithmic.
void OutputPanel::SW_DALIClick()
{
    if (busy())
        return;
    showPictures(form().screen(), {"Dali", "SW_DALI"}, false);
    writeOutputMode(img::output1To10V);
}

void OutputPanel::SW_TenClick()
{
    if (busy())
        return;
    showPictures(form().screen(), {"PWM", "SW_PWM"}, true);
    writeOutputMode(img::outputPwm);
}

void OutputPanel::SW_PWMClick()
{
    if (busy())
        return;
    showPictures(form().screen(), {"Dali", "SW_DALI"}, true);
    showPictures(form().screen(), {"PWM", "SW_PWM"}, false);
    writeOutputMode(img::outputDaliLog);
    putBit(state().eeBlock[img::optionFlags], img::bitStorePol, false);
}

void OutputPanel::outputClick()
{
    if (!busy())
        setOutput();
}

void OutputPanel::setOutput()
{
    const bool dali = daliShown();
    const bool curves = !dali && state().dcFound && chooser_;
    cbDC_->setVisible(curves);
    bDC_->setVisible(curves);
    if (curves) {
        if (cbDC_->isChecked()) {
            bDC_->setEnabled(true);
            if (state().sw.dcIndex != -1)
                cbDC_->setText(chooser_->curveName(state().sw.dcIndex));
            else
                setTicked(cbDC_, false);
        } else {
            bDC_->setEnabled(false);
            cbDC_->setText(correctionOff());
        }
    }
    const Bytes& e = state().eeBlock;
    eMinLevel_->setText(QString::number(e[img::minLevel]));
    cbDaliLog_->setVisible(dali);
    cbStorePOL_->setVisible(dali);
    cbDaliLog_->setChecked(!TestBit(e[img::featureFlags], img::bitOutputLinear));
    cbStorePOL_->setChecked(TestBit(e[img::optionFlags], img::bitStorePol));
    openPanel();
}

// Ticking lists the curves again and opens the chooser; unticking drops the
// chosen curve at once.
void OutputPanel::cbDCClick(bool ticked)
{
    if (ticked) {
        if (chooser_) {
            chooser_->dimmCurve(false);
            if (!isHidden())
                chooser_->showChooser();
        }
        return;
    }
    state().sw.dcIndex = -1;
    state().dimmingCurve.clear();
    bDC_->setEnabled(false);
    cbDC_->setText(correctionOff());
}

void OutputPanel::eMinLevelClick()
{
    pMinLevel_->show();
    eOutputSlider(eMinLevel_);
}

void OutputPanel::eOutputSlider(ClickEdit* edit)
{
    edit->setEdited(true);
    ScrollBar* slider = pMinLevel_->slider();
    slider->setLimits(0, 100);
    slider->setPosition(editNumber(edit));
    // The edit shows where the slider stands, also for a level above 100
    // read from the image.
    edit->setText(QString::number(slider->position()));
}

void OutputPanel::sbMinLevelChange(int position)
{
    eMinLevel_->setText(QString::number(position));
}

void OutputPanel::bOutput_OKClick()
{
    pMinLevel_->close();
    Bytes& e = state().eeBlock;
    e[img::minLevel] = static_cast<std::uint8_t>(editNumber(eMinLevel_));
    const bool dali = daliShown();
    if (dali)
        putBit(e[img::featureFlags], img::bitOutputLinear, !cbDaliLog_->isChecked());
    putBit(e[img::optionFlags], img::bitStorePol, dali && cbStorePOL_->isChecked());
    closeEditing();
    showLabel(form().screen()["lMinLevel"], QStringLiteral("Min. Level=%1%").arg(e[img::minLevel]));
}

void OutputPanel::bOutput_CancelClick()
{
    pMinLevel_->close();
    closeEditing();
}

void OutputPanel::closeEditing()
{
    closePanel();
    eMinLevel_->setEdited(false);
}

void OutputPanel::displayRefreshed()
{
    setTicked(cbDaliLog_, !TestBit(state().eeBlock[img::featureFlags], img::bitOutputLinear));
}

} // namespace nolt
