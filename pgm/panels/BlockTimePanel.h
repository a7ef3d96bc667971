#pragma once
// The block-time panel: how long after power-on the driver's dimming stays
// blocked, in steps of 5 seconds. Switched on through the panel, off at once
// by the main screen's switch.

#include "pgm/panels/EditorPanel.h"

namespace nolt {

class SliderStrip;

class BlockTimePanel : public EditorPanel {
    Q_OBJECT
public:
    explicit BlockTimePanel(PanelHost& form);

private:
    void sw_block_openClick();
    void SW_block_closeClick();
    void iTBlock_enClick();
    void eBlockTimeClick();
    void sbBlockTimeChange(int position);
    void bTBlockOKClick();
    void bTBlockCancelClick();
    // The off pictures of the main screen.
    void showOff();

    ClickEdit* eBlockTime_;
    SliderStrip* pBTSlider_;
};

} // namespace nolt
