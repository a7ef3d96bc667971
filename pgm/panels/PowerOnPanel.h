#pragma once
// The power-on panel: delay (or "Random"), fade speed and level after mains
// power comes on, and the DPC / DOO option. The three values are edited
// through the shared slider editor; "Random" writes the delay at once.

#include "pgm/kit/SliderEditor.h"
#include "pgm/panels/EditorPanel.h"

#include <QCheckBox>

namespace nolt {

class SliderStrip;

class PowerOnPanel : public EditorPanel {
    Q_OBJECT
public:
    explicit PowerOnPanel(PanelHost& form);

private:
    void iTDpc_enClick();
    void clickEdit(int kind);
    void sbPUChange();
    void combRangeClick();
    void cbRandomClick(bool ticked);
    void bDPC_OKClick();
    void bDPC_CancelClick();
    // setDisplay ticks Random for a random delay in the image.
    void displayRefreshed();
    // DPC / DOO can be ticked only while the delay is not zero.
    void dpcRule();
    void closeEditing();

    EditGroup edits_;
    QCheckBox* cbRandom_;
    QCheckBox* cbEnableDPC_;
    SliderStrip* pPOSlider_;
};

} // namespace nolt
