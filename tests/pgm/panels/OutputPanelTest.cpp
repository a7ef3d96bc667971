// The control output: the main screen's mode switch and the output panel.

#include "PanelTesting.h"

using OutputPanelTest = PanelTest;

// The switch writes at once: entering DALI clears storePol, one turn from DALI linear ends logarithmic. The panel
// shows the image; leaving DALI keeps storePol until the next OK.
TEST_F(OutputPanelTest, SwitchCyclesDaliTenPwmAndThePanelShowsTheImage)
{
    play({{{{img::featureFlags, 0x9C | img::outputDaliLog}, {img::optionFlags, 0x35}},
           {"SW_DALI", "?iTen", "SW_Ten", "?PWM", "SW_PWM", "?Dali", "!PWM"},
           {{img::optionFlags, 0x31}}},
          {{{img::featureFlags, img::outputDaliLog}, {img::optionFlags, 0x04}}, {"SW_DALI"}, {{img::featureFlags, 0}}},
          {{{img::featureFlags, img::output1To10V}}, {"SW_Ten"}, {{img::featureFlags, img::outputPwm}}},
          {{{img::featureFlags, img::outputDaliLinear}}, {"SW_DALI", "SW_Ten", "SW_PWM"},
           {{img::featureFlags, img::outputDaliLog}}},
          {{{img::featureFlags, img::outputPwm}}, {"PWM", "cbDaliLog==-", "bOutput_Cancel"}},
          {{{img::featureFlags, img::outputDaliLinear}}, {"Dali", "cbDaliLog==-", "bOutput_Cancel"}},
          // "Logarithmic" ticked and OK clears the linear bit.
          {{{img::featureFlags, img::outputDaliLinear}}, {"Dali", "cbDaliLog+", "bOutput_OK"},
           {{img::featureFlags, img::outputDaliLog}}},
          {{{img::featureFlags, img::outputDaliLog}}, {"Dali", "cbDaliLog==+", "cbStorePOL==-", "bOutput_Cancel"}},
          {{{img::optionFlags, 0x04}}, // no curve files: no curve box
           {"iTen", "!cbDaliLog", "!cbStorePOL", "!cbDC", "bOutput_OK"}, {{img::optionFlags, 0}}},
          // A minimum level above 100 is kept unless edited; the edit shows where the slider stands.
          {{{img::minLevel, 150}}, {"iTen", "eMinLevel==150", "bOutput_OK"}},
          {{{img::minLevel, 150}}, {"iTen", "eMinLevel", "eMinLevel==100", "sbMinLevel==100", "bOutput_OK"},
           {{img::minLevel, 100}}},
          {{{img::minLevel, 20}}, {"iTen", "eMinLevel", "sbMinLevel=-5", "eMinLevel==0", "bOutput_OK"},
           {{img::minLevel, 0}}},
          // OK and Cancel take the slider strip away with the panel.
          {{}, {"iTen", "eMinLevel", "?pMinLevel", "bOutput_Cancel", "iTen", "!pMinLevel", "eMinLevel", "bOutput_OK",
                "iTen", "!pMinLevel", "bOutput_Cancel"}}});
}

// A level above 100 read from the image shows 100 once its edit is clicked, also where the slider already stood
// at 100 from an earlier opening, so OK never writes more than 100.
TEST_F(OutputPanelTest, AClickedLevelShowsWhereItsSliderStands)
{
    play({{{{img::minLevel, 100}}, {"iTen", "eMinLevel", "sbMinLevel==100", "bOutput_Cancel"}},
          {{{img::minLevel, 150}}, {"iTen", "eMinLevel==150", "eMinLevel", "eMinLevel==100", "bOutput_OK"},
           {{img::minLevel, 100}}}});
}

// In DALI mode the panel shows storePol from the image, set or clear.
TEST_F(OutputPanelTest, DaliPanelShowsStorePol)
{
    play({{{{img::featureFlags, img::outputDaliLog}, {img::optionFlags, 0x05}}, {"Dali", "cbStorePOL==+", "bOutput_Cancel"}},
          {{{img::featureFlags, img::outputDaliLog}, {img::optionFlags, 0x01}}, {"Dali", "cbStorePOL==-", "bOutput_Cancel"}}});
}

// From DALI the switch leaves the DALI tile for 1-10V; a click on the level marks it as the field being edited.
TEST_F(OutputPanelTest, SwitchLeavesDaliAndTheClickedLevelIsMarked)
{
    play({{{{img::featureFlags, img::outputDaliLog}}, {"SW_DALI", "!Dali", "!SW_DALI", "?iTen", "?SW_Ten"},
           {{img::featureFlags, img::output1To10V}}}});
    act({"iTen", "eMinLevel"});
    EXPECT_TRUE(edited("eMinLevel"));
    act({"bOutput_Cancel"});
    EXPECT_FALSE(edited("eMinLevel"));
}

// A screen refreshed while the panel is open (a stick read does so) ticks "Logarithmic" by the new image.
TEST_F(OutputPanelTest, ARefreshWhileOpenShowsTheNewOutputMode)
{
    load({{img::featureFlags, img::outputDaliLog}});
    act({"Dali", "cbDaliLog==+"});
    load({{img::featureFlags, img::outputDaliLinear}});
    act({"?pOutput", "cbDaliLog==-", "bOutput_Cancel"});
}
