#pragma once
// The maintenance factor function (MFF) and burn-in panel, and the MFF tile
// and switch of the main screen. The panel edits the lifetime, the start and
// stop levels with the three intermediate levels L1..L3 at a quarter, half
// and three quarters of the lifetime, the "reset operating hours" option and
// the burn-in period; one slider serves all seven fields. A help plot draws
// the level profile on a chart.

#include "pgm/kit/SliderStrip.h"
#include "pgm/panels/EditorPanel.h"

#include <QCheckBox>

#include <array>

namespace nolt {

class MffPanel : public EditorPanel {
    Q_OBJECT
public:
    // The fields the slider can edit; the slider's tag holds one of them.
    enum Field { fLifeTime = 1, fReduction, fBurnIn, fStopLevel, fL1, fL2, fL3 };

    explicit MffPanel(PanelHost& form);

    // Main-screen tile and switch pictures.
    void iMFF_enClick();
    void sw_mff_offClick();
    void SW_mff_onClick();

    // Fills the panel from the image and opens it.
    void setMFF();
    // Recomputes L1..L3 from the start and stop levels.
    void calculatePoints();

    void bMFFOkClick();
    void bMFFCancelClick();
    void bMFFHelpClick();
    void Image7Click();

private:
    void editClick(Field field);
    void eLClick(Field field, int position, int neighbourBelow, int neighbourAbove);
    void bindSlider(Field field, int position, int minimum, int maximum);
    void sbMFFChange(int position);
    void setLevelsEnabled(bool enabled);
    void closeMFF();
    void showSwitchOff(bool off);
    ClickEdit* edit(Field field) const { return edits_[field - 1]; }
    int number(Field field) const;
    void setNumber(Field field, int value);

    std::array<ClickEdit*, 7> edits_{}; // by Field - 1
    QCheckBox* cbresetOH;
    SliderStrip* pMFFSlider;
    HelpOverlay* pHelpMFF;
    ClickLabel* iDummy2;
};

} // namespace nolt
