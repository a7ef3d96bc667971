#include "pgm/panels/RelayPanel.h"

#include "pgm/panels/PanelHelpers.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

RelayPanel::RelayPanel(PanelHost& form) : EditorPanel(form, "pRelay", 721, 450, 274, 106)
{
    cbZCSwitch_ = checkBox(this, "cbZCSwitch", QStringLiteral("Zero-Cross Switch"), 64, 48, true);
    cbZCSwitch_->setChecked(true);
    glyphButton(this, this, "bRelay_OK", Glyph::Ok, 215, 67, &RelayPanel::bRelay_OKClick);
    glyphButton(this, this, "bRelay_Cancel", Glyph::Cancel, 244, 67, &RelayPanel::bRelay_CancelClick);
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
    putBit(state().eeBlock[img::relayFlags], img::bitZcSwitch, cbZCSwitch_->isChecked());
    closePanel();
}

void RelayPanel::bRelay_CancelClick()
{
    closePanel();
}

} // namespace nolt
