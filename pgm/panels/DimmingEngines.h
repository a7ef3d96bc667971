#pragma once
// The two dimming-engine editors: one editor (DimmingEngine) under the
// handler names of each design.
//
// Engine 1 (`pDimmer1`) is the night programme that runs while ISD is on:
// its steps start at a time of day from 15:00 to 09:00 of the next morning
// and must rise strictly through the night; its level slider also sets the
// relay; an empty first step switches ISD off.
//
// Engine 2 (`pDimmer2`) is the programme of the LST timer: every step after
// the first waits a delay; the relay is set with its buttons alone; an
// empty first step switches the LST timer off and redraws the main screen.

#include "pgm/panels/DimmingEngine.h"

namespace nolt {

class DimmingEngine1 final : public DimmingEngine {
    NOLT_DIMMER_HANDLERS(iISD1_enClick, setDimmer1, getBox, setGB1, clickEdit1, eD1_Time1Click, eD1_Fade1Click,
                         eD1_Level1Click, sliderChange_D1, comboChange_D1, ED1_cbDel2Click, bDimmer1_OKClick,
                         bDimmer1_CancelClick, bHelpD1aClick, pHelpD1aClick, Image3Click)
    explicit DimmingEngine1(PanelHost& form);
};

class DimmingEngine2 final : public DimmingEngine {
    NOLT_DIMMER_HANDLERS(iISD2_enClick, setDimmer2, getBox2, setGB2, clickEdit2, eD2_Delay1Click, eD2_Fade1Click,
                         eD2_Level1Click, sbD2Change, comboD2Click, ED2_cbDel2Click, bDimmer2OKClick,
                         bDimmer2CancelClick, bQuestionClick, pHelpD1Click, Image2Click)
    explicit DimmingEngine2(PanelHost& form);
};

} // namespace nolt
