#include "pgm/panels/IsdPanel.h"

#include "image/TimeCodes.h"
#include "pgm/kit/Artwork.h"
#include "pgm/kit/SliderStrip.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

#include <QSignalBlocker>

namespace nolt {

namespace {

// Offset slider: position 128 is no offset, one step is two minutes.
constexpr int offsetZero = 128;
constexpr int offsetMax = 255;
// The daylight-saving shift of one hour.
constexpr int dstShift = 30;
// Night lengths in 5-minute units; the slider's lowest position is "off".
constexpr int nightOff = 59;
constexpr int nightMin = 60; // 05:00
constexpr int nightMax = 216; // 18:00

bool isNightLength(int units)
{
    return units >= nightMin && units <= nightMax;
}

int nightUnits(const ClickEdit* edit)
{
    return getTimeHM(edit->text()).value_or(0) / 5;
}

QString nightText(int units)
{
    return displayTimeHM(units * 300);
}

QString offsetText(int position)
{
    return displayTime3((position - offsetZero) * 2);
}

QPushButton* calculatorButton(QWidget* parent, const char* name, int left, int top)
{
    auto* b = place(new QPushButton(parent), name, left, top, 25, 25);
    b->setIcon(QIcon(art::picture(QStringLiteral("glyph_calc"), QSize(19, 19))));
    b->setIconSize(QSize(19, 19));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* box = place(new QCheckBox(caption, parent), name, left, top);
    box->adjustSize();
    return box;
}

} // namespace

IsdPanel::IsdPanel(PanelHost& form) : EditorPanel(form, "pISD", 29, 247, 360, 214)
{
    QGroupBox* setup = groupBox(this, "GroupBox16", QStringLiteral("ISD  Setup "), clMoneyGreen, 4, 4, 352, 54);
    cbDST_ = checkBox(setup, "cbDST", QStringLiteral("DST"), 10, 25);
    staticText(setup, QStringLiteral("ISD Offset Time"), 60, 27, "StaticText5");
    eISDOffset_ = valueEdit(setup, "eISDOffset", 160, 23, 72);
    staticText(setup, QStringLiteral("HH:MM:SS"), 238, 27, "StaticText121");
    bAstroCalc_ = calculatorButton(setup, "bAstroCalc", 316, 21);

    QGroupBox* adst = groupBox(this, "GroupBox6", QStringLiteral("Auto DST"), clSkyBlue, 4, 62, 352, 110);
    cbADSTEnable_ = checkBox(adst, "cbADSTEnable", QStringLiteral("Enabled"), 10, 22);
    cbADSTEnable_->setCursor(Qt::PointingHandCursor);
    QLabel* label14 = staticText(adst, QStringLiteral("Length of Night for DST Start"), 10, 53, "Label14");
    eW2S_ = valueEdit(adst, "eW2S", 184, 49, 56);
    QLabel* label15 = staticText(adst, QStringLiteral("HH:MM"), 246, 53, "Label15");
    QLabel* label16 = staticText(adst, QStringLiteral("Length of Night for DST End"), 10, 81, "Label16");
    eS2W_ = valueEdit(adst, "eS2W", 184, 77, 56);
    QLabel* label17 = staticText(adst, QStringLiteral("HH:MM"), 246, 81, "Label17");
    bADSTCalc_ = calculatorButton(adst, "bADSTCalc", 316, 62);
    adstControls_ = {eW2S_, eS2W_, label14, label15, label16, label17, bADSTCalc_};
    for (QWidget* w : adstControls_)
        w->hide();

    pISDSLider_ = new SliderStrip(this, "pISDSLider", "sbISD", 4, 176);
    pISDSLider_->slider()->setParams(offsetZero, 0, offsetMax);

    auto* ok = glyphButton(this, "bISDOK", Glyph::Ok, 298, 182);
    auto* cancel = glyphButton(this, "bISDCancel", Glyph::Cancel, 326, 182);

    connect(eISDOffset_, &ClickEdit::clicked, this, &IsdPanel::eISDOffsetClick);
    connect(eW2S_, &ClickEdit::clicked, this, &IsdPanel::eW2SClick);
    connect(eS2W_, &ClickEdit::clicked, this, &IsdPanel::eS2WClick);
    connect(pISDSLider_, &SliderStrip::sliderChanged, this, &IsdPanel::sbISDChange);
    connect(cbDST_, &QCheckBox::toggled, this, &IsdPanel::cbDSTClick);
    connect(cbADSTEnable_, &QCheckBox::toggled, this, &IsdPanel::cbADSTEnableClick);
    connect(ok, &QPushButton::clicked, this, &IsdPanel::bISDOKClick);
    connect(cancel, &QPushButton::clicked, this, &IsdPanel::bISDCancelClick);

    onScreenClicks<IsdPanel>(form.screen(), this,
                             {{"sw_astro_open", &IsdPanel::sw_astro_openClick},
                              {"SW_astro_close", &IsdPanel::SW_astro_closeClick},
                              {"iISD_en", &IsdPanel::iISD_enClick}});
}

void IsdPanel::sw_astro_openClick()
{
    if (!busy() && !state().remoteDim)
        switchFeature(form().screen(), state().eeBlock, img::bitIsdEnable, true, {},
                      {"Astro_dis", "dm1_dis", "sw_astro_open"});
}

// Switching off is allowed while Remote DIM is in force.
void IsdPanel::SW_astro_closeClick()
{
    if (!busy())
        switchFeature(form().screen(), state().eeBlock, img::bitIsdEnable, false,
                      {"Astro_dis", "dm1_dis", "sw_astro_open"}, {});
}

// While ISD is off its overlay lies over the tile and takes the click.
void IsdPanel::iISD_enClick()
{
    if (busy())
        return;
    setAstro();
}

void IsdPanel::setAstro()
{
    const Bytes& e = state().eeBlock;
    // A change of the tick shifts the offset edit; the stored offset is
    // written over it right after.
    setTicked(cbDST_, !TestBit(e[img::optionFlags], img::bitDstOff));
    const int offsetUnits = e[img::isdOffset] > 127 ? e[img::isdOffset] - 256 : e[img::isdOffset];
    eISDOffset_->setText(displayTime3(2 * offsetUnits));

    const int start = e[img::adstW2S], end = e[img::adstS2W];
    const bool autoDst = isNightLength(start) && isNightLength(end);
    eW2S_->setText(autoDst ? nightText(start) : QStringLiteral("0"));
    eS2W_->setText(autoDst ? nightText(end) : QStringLiteral("0"));
    setTicked(cbADSTEnable_, autoDst);

    pISDSLider_->close();
    openPanel();
}

ClickEdit* IsdPanel::boundEdit(int binding) const
{
    switch (binding) {
    case bindOffset: return eISDOffset_;
    case bindStart: return eW2S_;
    case bindEnd: return eS2W_;
    default: return nullptr;
    }
}

// The text is read before the range changes, and the move made here writes
// nothing: binding never alters an edit.
void IsdPanel::bind(int binding)
{
    const QString text = boundEdit(binding)->text();
    binding_ = binding;
    ScrollBar* slider = pISDSLider_->slider();
    const QSignalBlocker quiet(slider);
    if (binding == bindOffset)
        slider->setParams(getTime4(text), 0, offsetMax);
    else
        slider->setParams(getTimeHM(text).value_or(0) / 5, nightOff, nightMax);
}

void IsdPanel::bindAndShow(int binding)
{
    bind(binding);
    for (int b : {bindOffset, bindStart, bindEnd})
        boundEdit(b)->setEdited(b == binding);
    pISDSLider_->show();
}

void IsdPanel::sbISDChange()
{
    ScrollBar* slider = pISDSLider_->slider();
    const int p = slider->position();
    if (binding_ == bindOffset)
        eISDOffset_->setText(offsetText(p));
    else if (ClickEdit* edit = boundEdit(binding_))
        edit->setText(p == nightOff ? QStringLiteral("0") : nightText(p));
}

void IsdPanel::moveOffset(int position)
{
    ScrollBar* slider = pISDSLider_->slider();
    slider->setPosition(position);
    eISDOffset_->setText(offsetText(slider->position()));
}

// Daylight saving moves the offset an hour back; near the ends of the
// slider the shift is shortened. The strip and the edits' colours stay.
void IsdPanel::cbDSTClick()
{
    bind(bindOffset);
    const int position = pISDSLider_->slider()->position();
    moveOffset(cbDST_->isChecked() ? position - dstShift : position + dstShift);
}

void IsdPanel::cbADSTEnableClick()
{
    const bool on = cbADSTEnable_->isChecked();
    for (QWidget* w : adstControls_)
        w->setVisible(on);
}

void IsdPanel::takeOffset(int minutes)
{
    bind(bindOffset);
    moveOffset(minutes / 2 + offsetZero);
    if (cbDST_->isChecked())
        moveOffset(pISDSLider_->slider()->position() - dstShift);
}

void IsdPanel::takeNightLength(bool start, const QString& text)
{
    (start ? eW2S_ : eS2W_)->setText(text);
}

void IsdPanel::bISDOKClick()
{
    Bytes& e = state().eeBlock;

    // Offset: a text longer than eight characters carries a minus sign.
    QString t = eISDOffset_->text();
    const bool negative = t.size() > 8;
    if (negative)
        t = t.mid(1, 8);
    const int units = getTime(t) / 120;
    e[img::isdOffset] = static_cast<std::uint8_t>(negative ? 256 - units : units);

    putBit(e[img::optionFlags], img::bitDstOff, !cbDST_->isChecked());

    // Auto DST is stored only with both night lengths in range.
    const int start = nightUnits(eW2S_), end = nightUnits(eS2W_);
    const bool autoDst = cbADSTEnable_->isChecked() && isNightLength(start) && isNightLength(end);
    e[img::adstAux] = 0;
    e[img::adstW2S] = static_cast<std::uint8_t>(autoDst ? start : 0);
    e[img::adstS2W] = static_cast<std::uint8_t>(autoDst ? end : 0);

    closeIsdPanel();
}

void IsdPanel::bISDCancelClick()
{
    closeIsdPanel();
}

void IsdPanel::closeIsdPanel()
{
    pISDSLider_->close();
    for (int b : {bindOffset, bindStart, bindEnd})
        boundEdit(b)->setEdited(false);
    closePanel();
}

} // namespace nolt
