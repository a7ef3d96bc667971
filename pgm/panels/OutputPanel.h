#pragma once
// The control output: the main screen's mode switch (DALI, 1-10V, PWM,
// written at once) and the output panel with the minimum level, the DALI
// options and, outside DALI, the dimming-curve correction box.

#include "pgm/panels/EditorPanel.h"

#include <QCheckBox>

namespace nolt {

class CurveChooser;
class SliderStrip;

class OutputPanel : public EditorPanel {
    Q_OBJECT
public:
    explicit OutputPanel(PanelHost& form);

    // Fills and opens the panel.
    void setOutput();
    // The curve correction controls, driven by the curve chooser.
    QCheckBox* cbDC() const { return cbDC_; }
    QPushButton* bDC() const { return bDC_; }
    void setCurveChooser(CurveChooser* chooser) { chooser_ = chooser; }

    static QString correctionOff() { return QStringLiteral("Correction OFF"); }

private:
    void SW_DALIClick();
    void SW_TenClick();
    void SW_PWMClick();
    // DaliClick, iTenClick, PWMClick and lMinLevelClick.
    void outputClick();
    void cbDCClick(bool ticked);
    void eMinLevelClick();
    void eOutputSlider(ClickEdit* edit);
    void sbMinLevelChange(int position);
    void bOutput_OKClick();
    void bOutput_CancelClick();
    // setDisplay ticks "Logarithmic" for every mode but PWM and DALI linear.
    void displayRefreshed();
    // The mode the main screen shows is DALI.
    bool daliShown() const;
    void writeOutputMode(std::uint8_t mode);
    void closeEditing();

    CurveChooser* chooser_ = nullptr;
    ClickEdit* eMinLevel_;
    QCheckBox* cbDaliLog_;
    QCheckBox* cbStorePOL_;
    QCheckBox* cbDC_;
    QPushButton* bDC_;
    SliderStrip* pMinLevel_;
};

} // namespace nolt
