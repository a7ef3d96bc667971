#pragma once
// Thermal management: up to three temperature thresholds T1 > T2 > T3 with
// their output levels (at T1 the output may be switched off instead) and a
// temperature calibration. Switched on through the panel, off at once by
// the main screen's switch. One slider serves the seven edits; its tag
// names the edit.

#include "pgm/panels/EditorPanel.h"

#include <QCheckBox>

#include <array>

namespace nolt {

class SliderStrip;

class ThermalPanel : public EditorPanel {
    Q_OBJECT
public:
    explicit ThermalPanel(PanelHost& form);

    // Slider tags of the seven edits.
    enum Tag { tagT1 = 2, tagT2, tagT3, tagL1, tagL2, tagL3, tagCal };

private:
    void sw_tm_offClick();
    void sw_tm_onClick();
    void iTMClick();
    void displayTM();
    // Fills the threshold rows from the image, clearing from the first row
    // whose threshold is not valid.
    void fillRows();
    void eTMSlider(int tag);
    void sbThermoChange();
    void eTMColorWindowText();
    void bTMOkClick();
    void bTMCancelClick();
    void showSwitch(bool on);
    void closeEditing();

    ClickEdit* edit(int tag) const { return edits_[tag - tagT1]; }
    // The threshold edited with tag lies below the one above it, when that
    // one is set.
    int thresholdMax(int tag) const;

    std::array<ClickEdit*, 7> edits_{};
    QCheckBox* cbOutput_Off_;
    QLabel* lCalWarning_;
    SliderStrip* pThermo_;
};

} // namespace nolt
