// The thermal-management panel: its switch, thresholds, levels and calibration.

#include "PanelTesting.h"

using ThermalPanelTest = PanelTest;
constexpr std::uint8_t tmOn = 0x8C, tmOff = 0x0C; // feature flags

// The lowest slider position means no threshold, and a threshold stays below the one above it. The switch
// opens on cleared bytes and switches off keeping them; the calibration edit opens empty at 9.
TEST_F(ThermalPanelTest, Thresholds)
{
    const ByteChanges three = {{img::featureFlags, tmOn}, {img::tmT1, 60}, {img::tmL1, 20}, {img::tmT2, 50},
                               {img::tmL2, 10}, {img::tmT3, 40}, {img::tmL3, 5}};
    play({{{{img::tmT1, 60}, {img::tmL1, 50}, {img::tmT2, 40}, {img::tmCal, 25}},
           {"sw_tm_off", "?pThermoM", "eOutput_T1==", "!lCalWarning", "bTMCancel", "?sw_tm_off", "?iTM_dis"},
           {{img::tmT1, 0}, {img::tmL1, 0}, {img::tmT2, 0}, {img::tmCal, 0xFF}}},
          {{{img::featureFlags, tmOn}, {img::tmT1, 60}}, {"sw_tm_on", "?iTM_dis"}, {{img::featureFlags, tmOff}}},
          {{{img::featureFlags, tmOn}, {img::tmT1, 60}},
           {"iTM", "eOutput_T_Cal", "sbThermo==9", "eOutput_T_Cal==", "sbThermo=10", "sbThermo=80", "bTMOk", "iTM",
            "lCalWarning==Not empty:(80°C)!", "bTMCancel"},
           {{img::tmCal, 99}}},
          {{{img::featureFlags, tmOn}, {img::tmT1, 60}},
           {"iTM", "!lCalWarning", "eOutput_T_Cal", "sbThermo=10", "sbThermo=9", "bTMOk"}, {{img::tmCal, 11}}},
{{{img::featureFlags, tmOn}, {img::tmT1, 60}},
           {"iTM", "eOutput_T2", "sbThermo=85", "eOutput_T2==59", "eOutput_T3", "sbThermo=85", "eOutput_T3==58",
            "eOutput_T1", "sbThermo=50", "bTMOk"}, // lowering T1 afterwards leaves T2 as it is
           {{img::tmT1, 50}, {img::tmT2, 59}, {img::tmT3, 58}}},
          {{{img::featureFlags, tmOn}}, {"iTM", "eOutput_T2", "sbThermo=70", "eOutput_T2==", "bTMOk"},
           {{img::featureFlags, tmOff}}},
          {{{img::featureFlags, tmOn}, {img::tmT1, 30}, {img::tmL1, 20}},
           {"iTM", "eOutput_T1==30", "eOutput_T1", "eOutput_T1==", "eOutput_T_Cal", "sbThermo=40", "bTMOk",
            "?sw_tm_off"}, // a calibration is stored also when switched off
           {{img::featureFlags, tmOff}, {img::tmT1, 0}, {img::tmL1, 0}, {img::tmCal, 50}}},
          {three, // T2 removed (the slider's lowest position) while T1 stays: rows 2 and 3 go
           {"iTM", "eOutput_T2", "sbThermo=45", "eOutput_T2==45", "sbThermo=30", "eOutput_T2==", "bTMOk"},
           {{img::tmT2, 0}, {img::tmL2, 0}, {img::tmT3, 0}, {img::tmL3, 0}}},
          {three, // a level without its T3 is not stored
           {"iTM", "eOutput_T3==40", "eOutput_L3==5", "eOutput_L3", "sbThermo=70", "eOutput_T3", "sbThermo=30",
            "eOutput_T3==", "eOutput_L3==70", "bTMOk"},
           {{img::tmT3, 0}, {img::tmL3, 0}}}});
}

TEST_F(ThermalPanelTest, InvalidBytesFromTheImageAreClearedFromTheFirstInvalidRow)
{
    // T2 outside 30..85: rows 2 and 3 go at opening, whatever T3 held; row 1 is valid.
    play({{{{img::featureFlags, tmOn}, {img::tmT1, 60}, {img::tmL1, 0xFE}, {img::tmT2, 86}, {img::tmL2, 50},
            {img::tmT3, 40}, {img::tmL3, 0xFF}, {img::tmCal, 0xFE}},
           {"iTM", "eOutput_T1==60", "eOutput_L1==0", "cbOutput_Off==+", "eOutput_T2==", "eOutput_T3==",
            "lCalWarning==Not empty:(205°C)!", "bTMCancel"},
           {{img::tmT2, 0}, {img::tmL2, 0}, {img::tmT3, 0}, {img::tmL3, 0}}}});
    // Every threshold byte outside the range, levels above 100.
    for (std::uint8_t t : {0, 29, 86, 0xFF})
        play({{{{img::featureFlags, tmOn}, {img::tmT1, t}, {img::tmL1, 0x7F}, {img::tmT2, 40}, {img::tmCal, 0xFF}},
               {"iTM", "eOutput_T1==", "eOutput_T2==", "eOutput_L1==", "cbOutput_Off==-", "eOutput_T_Cal==", "bTMOk"},
               {{img::featureFlags, tmOff}, {img::tmT1, 0}, {img::tmL1, 0}, {img::tmT2, 0}}}});
    // A threshold above the one above it is shown as stored, and pulled below it when edited.
    load({{img::featureFlags, tmOn}, {img::tmT1, 50}, {img::tmL1, 0x7F}, {img::tmT2, 80}, {img::tmL2, 0xE5}});
    act({"iTM", "eOutput_L1==100", "eOutput_L2==100", "eOutput_T2==80", "eOutput_T2", "eOutput_T2==49"});
}

// A level slides over 0..100 %, the calibration over 9..80 °C.
TEST_F(ThermalPanelTest, LevelAndCalibrationRanges)
{
    play({{{{img::featureFlags, tmOn}, {img::tmT1, 60}, {img::tmL1, 20}},
           {"iTM", "eOutput_L1", "sbThermo==20", "sbThermo=-5", "sbThermo==0", "eOutput_L1==0", "sbThermo=120",
            "eOutput_L1==100", "sbThermo=0", "eOutput_T_Cal", "sbThermo=90", "sbThermo==80", "sbThermo=5",
            "sbThermo==9", "bTMOk"},
           {{img::tmL1, 0}, {img::tmCal, 11}}}});
}

// Only the field the slider edits is marked; OK and Cancel take every mark and the slider strip away.
TEST_F(ThermalPanelTest, OnlyTheClickedFieldIsMarked)
{
    load({{img::featureFlags, tmOn}, {img::tmT1, 60}, {img::tmL1, 20}});
    for (const char* close : {"bTMOk", "bTMCancel"}) {
        act({"iTM", "!pThermo", "eOutput_T1", "eOutput_L1", "?pThermo"});
        EXPECT_TRUE(edited("eOutput_L1") && !edited("eOutput_T1"));
        act({close, "iTM", "!pThermo"});
        EXPECT_FALSE(edited("eOutput_L1")) << close;
        act({"bTMCancel"});
    }
}

// Each row shows the units of both its values.
TEST_F(ThermalPanelTest, RowsShowTheirUnits)
{
    EXPECT_EQ(labelsReading("GroupBox3", "C° -->"), 3);
    EXPECT_EQ(labelsReading("GroupBox3", "%"), 3);
}

// Switching on shows the switch on while the panel is open, with the output-off box clear even when it was ticked
// before switching off; an invalid T1 clears a stored calibration at opening, even when cancelled.
TEST_F(ThermalPanelTest, SwitchingOnStartsFromAClearPanel)
{
    play({{{{img::featureFlags, tmOn}, {img::tmT1, 60}, {img::tmL1, 0xFE}, {img::tmCal, 25}},
           {"iTM", "cbOutput_Off==+", "?lCalWarning", "bTMCancel", "sw_tm_on", "?sw_tm_off", "sw_tm_off", "?pThermoM",
            "?sw_tm_on", "!sw_tm_off", "cbOutput_Off==-", "eOutput_T1==", "!lCalWarning", "bTMCancel"},
           {{img::featureFlags, tmOff}, {img::tmT1, 0}, {img::tmL1, 0}, {img::tmCal, 0xFF}}},
          {{{img::featureFlags, tmOn}, {img::tmT1, 20}, {img::tmCal, 25}},
           {"iTM", "eOutput_T1==", "eOutput_T_Cal==", "bTMCancel"},
           {{img::tmT1, 0}, {img::tmCal, 0xFF}}}});
}
