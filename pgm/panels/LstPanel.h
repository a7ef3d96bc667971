#pragma once
// The LST timer on the main screen (its switch and the polarity tile), the
// input hold time (its switch and tile), and the small panel in which the
// hold time is set with a slider and a range selector. The switches and the
// polarity tile write their bits at once; the hold time is written by OK.

#include "pgm/panels/EditorPanel.h"

#include <QComboBox>
#include <QPushButton>

namespace nolt {

class SliderStrip;

class LstPanel : public EditorPanel {
    Q_OBJECT
public:
    explicit LstPanel(PanelHost& form);

    // The LST switch. SW_lst_closeClick also serves the remote panel's OK.
    void sw_lst_openClick();
    void SW_lst_closeClick();
    // The polarity tile.
    void iLst_enClick();
    void iLST_polClick();
    // The hold switch and tile.
    void sw_hold_offClick();
    void sw_hold_onClick();
    void iTHold_enClick();

private:
    void setHoldTime();
    void eHoldTimeClick();
    void sbHoldChange();
    void combHoldClick();
    void bTHoldOKClick();
    void bTHoldCancelClick();

    // The hold switch shows off: grey tile, no label.
    void showHoldOff();
    void showHoldLabel(const QString& text);
    void closeHoldPanel();

    ClickEdit* eHoldTime_;
    SliderStrip* pHoldTime_;
};

} // namespace nolt
