#include "pgm/RelayPanel.h"

#include "pgm/PanelHelpers.h"
#include "pgm/TForm1.h"

namespace nolt {

RelayPanel::RelayPanel(TForm1& form) : EditorPanel(form, "pRelay", 721, 450, 274, 106)
{
    cbZCSwitch_ = checkBox(this, "cbZCSwitch", QStringLiteral("Zero-Cross Switch"), 64, 48, true);
    cbZCSwitch_->setChecked(true);
    connect(glyphButton(this, "bRelay_OK", Glyph::Ok, 215, 67), &QPushButton::clicked, this,
            &RelayPanel::bRelay_OKClick);
    connect(glyphButton(this, "bRelay_Cancel", Glyph::Cancel, 244, 67), &QPushButton::clicked, this,
            &RelayPanel::bRelay_CancelClick);
    connect(form.screen()["iRelay"], &ClickLabel::clicked, this, &RelayPanel::iRelayClick);
}

void RelayPanel::iRelayClick()
{
    if (busy())
        return;
    openPanel();
    cbZCSwitch_->setChecked(TestBit(state().eeBlock[img::relayFlags], img::bitZcSwitch));
}

void RelayPanel::bRelay_OKClick()
{
    std::uint8_t& relay = state().eeBlock[img::relayFlags];
    relay = cbZCSwitch_->isChecked() ? SetBit(relay, img::bitZcSwitch) : ClearBit(relay, img::bitZcSwitch);
    closePanel();
}

void RelayPanel::bRelay_CancelClick()
{
    closePanel();
}

} // namespace nolt
