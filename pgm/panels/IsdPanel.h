#pragma once
// ISD on the main screen (its switch and tile) and the ISD panel: the
// offset, the daylight-saving selection and the two Auto DST night lengths,
// all edited through one slider. The switch writes its bit at once; the
// panel's values are written by OK. The offset and night-length calculators
// open over this panel and hand their results back through IsdTarget.

#include "pgm/panels/EditorPanel.h"
#include "pgm/panels/IsdTarget.h"

#include <QCheckBox>
#include <QPushButton>

#include <vector>

namespace nolt {

class SliderStrip;

class IsdPanel : public EditorPanel, public IsdTarget {
    Q_OBJECT
public:
    explicit IsdPanel(PanelHost& form);

    // The ISD switch. SW_astro_closeClick also serves the remote panel's OK.
    void sw_astro_openClick();
    void SW_astro_closeClick();
    void iISD_enClick();

    QAbstractButton* offsetCalculatorButton() const override { return bAstroCalc_; }
    QAbstractButton* nightCalculatorButton() const override { return bADSTCalc_; }
    void takeOffset(int minutes) override;
    void takeNightLength(bool dstStart, const QString& text) override;

private:
    // What the slider writes: the slider's tag.
    enum Binding { bindNone = 0, bindOffset = 1, bindStart = 2, bindEnd = 3 };

    void setAstro();
    void eISDOffsetClick() { bindAndShow(bindOffset); }
    void eW2SClick() { bindAndShow(bindStart); }
    void eS2WClick() { bindAndShow(bindEnd); }
    void sbISDChange();
    void cbDSTClick();
    void cbADSTEnableClick();
    void bISDOKClick();
    void bISDCancelClick();

    ClickEdit* boundEdit(int binding) const;
    // Binds the slider to an edit; the edit's text stays as it is.
    void bind(int binding);
    // Binds, marks the bound edit and shows the strip.
    void bindAndShow(int binding);
    // Moves the offset slider and writes the offset edit from it.
    void moveOffset(int position);
    void closeIsdPanel();

    QCheckBox* cbDST_;
    ClickEdit* eISDOffset_;
    QPushButton* bAstroCalc_;
    QCheckBox* cbADSTEnable_;
    ClickEdit* eW2S_;
    ClickEdit* eS2W_;
    QPushButton* bADSTCalc_;
    std::vector<QWidget*> adstControls_; // shown only while Auto DST is ticked
    SliderStrip* pISDSLider_;
    int binding_ = bindNone;
};

} // namespace nolt
