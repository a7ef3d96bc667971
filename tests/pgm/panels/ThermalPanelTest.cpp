// The thermal-management panel.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr std::uint8_t tmOn = 0x80;

struct ThermalPanelTest : PanelTest {
    void openOn(ByteChanges thermal)
    {
        load(thermal);
        h->image()[img::featureFlags] |= tmOn;
        h->form->setDisplay();
        h->click("iTM");
    }
    // Clicks an edit and moves the panel's slider.
    void set(const char* edit, int position)
    {
        h->click(edit);
        slide("sbThermo", position);
    }
    bool tmEnabled() const { return TestBit(image()[img::featureFlags], img::bitTmEnable); }
};

} // namespace

TEST_F(ThermalPanelTest, OpeningWhileOffClearsTheThermalBytesAtOnce)
{
    load({{img::tmT1, 60}, {img::tmL1, 50}, {img::tmT2, 40}, {img::tmL2, 20}, {img::tmCal, 25}});
    const Bytes before = image();
    h->click("sw_tm_off");
    EXPECT_TRUE(h->shown("pThermoM"));
    EXPECT_TRUE(h->shown("sw_tm_on"));
    EXPECT_EQ(edit("eOutput_T1"), "");
    EXPECT_FALSE(h->shown("lCalWarning"));
    const Bytes cleared = with(before, {{img::tmT1, 0}, {img::tmL1, 0}, {img::tmT2, 0}, {img::tmL2, 0},
                                        {img::tmCal, 0xFF}});
    EXPECT_EQ(differences(image(), cleared), "");
    h->click("bTMCancel");
    EXPECT_EQ(differences(image(), cleared), "");
    EXPECT_TRUE(h->shown("sw_tm_off"));
    EXPECT_TRUE(h->shown("iTM_dis"));
    EXPECT_FALSE(busy());
}

TEST_F(ThermalPanelTest, SwitchingOffKeepsTheThresholds)
{
    openOn({{img::tmT1, 60}, {img::tmL1, 50}});
    h->click("bTMCancel");
    const Bytes before = image();
    h->click("sw_tm_on");
    EXPECT_EQ(differences(image(), with(before, {{img::featureFlags, before[0] & ~tmOn}})), "");
    EXPECT_TRUE(h->shown("iTM_dis"));
}

TEST_F(ThermalPanelTest, OkWritesTheRowsTheCalibrationAndTheSwitch)
{
    load({});
    const Bytes before = image();
    h->click("sw_tm_off");
    set("eOutput_T1", 70);
    set("eOutput_L1", 40);
    tick("cbOutput_Off", true);
    set("eOutput_T2", 60);
    set("eOutput_L2", 50);
    set("eOutput_T_Cal", 20);
    h->click("bTMOk");
    EXPECT_EQ(differences(image(), with(before, {{img::featureFlags, before[0] | tmOn}, {img::tmT1, 70},
                                                 {img::tmL1, 168}, {img::tmT2, 60}, {img::tmL2, 50},
                                                 {img::tmT3, 0}, {img::tmL3, 0}, {img::tmCal, 25}})),
              "");
    EXPECT_TRUE(h->shown("sw_tm_on"));
    EXPECT_FALSE(h->shown("iTM_dis"));

    h->click("iTM");
    EXPECT_TRUE(ticked("cbOutput_Off"));
    EXPECT_EQ(edit("eOutput_L1"), "0");
    EXPECT_EQ(edit("eOutput_T2"), "60");
    EXPECT_EQ(label("lCalWarning"), "Not empty:(20°C)!");
    EXPECT_EQ(edit("eOutput_T_Cal"), "") << "the calibration edit always opens empty";
    h->click("bTMOk");
    EXPECT_EQ(image()[img::tmCal], 0xFF) << "no new calibration entered";
}

TEST_F(ThermalPanelTest, CalibrationRoundTrip)
{
    const struct { int celsius; std::uint8_t stored; } cases[] = {{20, 25}, {50, 62}, {80, 99}, {9, 11}};
    for (auto c : cases) {
        openOn({{img::tmT1, 60}});
        // The empty calibration edit opens with the slider at its lowest
        // position, 9, and stays empty until the slider moves.
        set("eOutput_T_Cal", 9);
        EXPECT_EQ(edit("eOutput_T_Cal"), "");
        slide("sbThermo", 10);
        slide("sbThermo", c.celsius);
        h->click("bTMOk");
        EXPECT_EQ(image()[img::tmCal], c.stored) << c.celsius;
        h->click("iTM");
        EXPECT_EQ(label("lCalWarning"), QStringLiteral("Not empty:(%1°C)!").arg(c.celsius));
        h->click("bTMCancel");
    }
}

TEST_F(ThermalPanelTest, ThresholdsStayBelowTheOneAbove)
{
    openOn({{img::tmT1, 60}});
    set("eOutput_T2", 85);
    EXPECT_EQ(slider("sbThermo")->maximum(), 59);
    EXPECT_EQ(edit("eOutput_T2"), "59");
    set("eOutput_T3", 85);
    EXPECT_EQ(edit("eOutput_T3"), "58");
    // Lowering T1 afterwards leaves T2 as it is.
    set("eOutput_T1", 50);
    h->click("bTMOk");
    EXPECT_EQ(image()[img::tmT1], 50);
    EXPECT_EQ(image()[img::tmT2], 59);
    EXPECT_EQ(image()[img::tmT3], 58);

    // Without T1 the T2 slider writes nothing.
    openOn({});
    set("eOutput_T2", 70);
    EXPECT_EQ(edit("eOutput_T2"), "");
}

TEST_F(ThermalPanelTest, LowestSliderPositionMeansNoThreshold)
{
    openOn({{img::tmT1, 30}, {img::tmL1, 20}});
    EXPECT_EQ(edit("eOutput_T1"), "30");
    h->click("eOutput_T1");
    EXPECT_EQ(edit("eOutput_T1"), "");
    set("eOutput_T_Cal", 40);
    h->click("bTMOk");
    EXPECT_FALSE(tmEnabled());
    EXPECT_EQ(image()[img::tmT1], 0);
    EXPECT_EQ(image()[img::tmL1], 0);
    EXPECT_EQ(image()[img::tmCal], 50) << "a calibration is stored also when switched off";
    EXPECT_TRUE(h->shown("sw_tm_off"));
}

TEST_F(ThermalPanelTest, SlidingAThresholdDownToTheLowestPositionClearsIt)
{
    openOn({{img::tmT1, 60}, {img::tmL1, 20}, {img::tmT2, 50}, {img::tmL2, 10}});
    set("eOutput_T2", 45);
    EXPECT_EQ(edit("eOutput_T2"), "45");
    slide("sbThermo", 30);
    EXPECT_EQ(edit("eOutput_T2"), "");
    set("eOutput_T1", 70);
    slide("sbThermo", 30);
    EXPECT_EQ(edit("eOutput_T1"), "");
    h->click("bTMOk");
    EXPECT_FALSE(tmEnabled());
    EXPECT_EQ(image()[img::tmT1], 0);
    EXPECT_EQ(image()[img::tmT2], 0);
}

TEST_F(ThermalPanelTest, ALevelWithoutItsT3IsNotStored)
{
    openOn({{img::tmT1, 60}, {img::tmL1, 20}, {img::tmT2, 50}, {img::tmL2, 10}, {img::tmT3, 40}, {img::tmL3, 5}});
    set("eOutput_L3", 70);
    set("eOutput_T3", 30); // the lowest position: no T3
    EXPECT_EQ(edit("eOutput_T3"), "");
    EXPECT_EQ(edit("eOutput_L3"), "70");
    h->click("bTMOk");
    EXPECT_EQ(image()[img::tmT2], 50);
    EXPECT_EQ(image()[img::tmT3], 0);
    EXPECT_EQ(image()[img::tmL3], 0);
}

TEST_F(ThermalPanelTest, InvalidBytesFromTheImageAreClearedFromTheFirstInvalidRow)
{
    // T2 outside 30..85: rows 2 and 3 go, whatever T3 held.
    openOn({{img::tmT1, 60}, {img::tmL1, 0xFE}, {img::tmT2, 86}, {img::tmL2, 50}, {img::tmT3, 40},
            {img::tmL3, 0xFF}, {img::tmCal, 0xFE}});
    const Bytes opened = image();
    EXPECT_EQ(edit("eOutput_T1"), "60");
    EXPECT_EQ(edit("eOutput_L1"), "0");
    EXPECT_TRUE(ticked("cbOutput_Off"));
    EXPECT_EQ(edit("eOutput_T2"), "");
    EXPECT_EQ(edit("eOutput_T3"), "");
    EXPECT_EQ(opened[img::tmT2], 0);
    EXPECT_EQ(opened[img::tmL3], 0);
    EXPECT_EQ(opened[img::tmL1], 0xFE) << "row 1 is valid";
    EXPECT_EQ(label("lCalWarning"), "Not empty:(205°C)!");
    h->click("bTMCancel");

    // Every threshold byte outside the range, levels above 100.
    for (std::uint8_t t : {0, 29, 86, 0xFF}) {
        openOn({{img::tmT1, t}, {img::tmL1, 0x7F}, {img::tmT2, 40}, {img::tmCal, 0xFF}});
        const Bytes before = with(image(), {});
        EXPECT_EQ(before[img::tmT2], 0) << int(t);
        for (const char* e : {"eOutput_T1", "eOutput_T2", "eOutput_L1", "eOutput_T_Cal"})
            EXPECT_EQ(edit(e), "") << e;
        h->click("bTMOk");
        EXPECT_EQ(differences(image(), with(before, {{img::featureFlags, before[0] & ~tmOn}})), "");
    }
    openOn({{img::tmT1, 50}, {img::tmL1, 0x7F}, {img::tmT2, 80}, {img::tmL2, 0xE5}});
    EXPECT_EQ(edit("eOutput_L1"), "100");
    EXPECT_EQ(edit("eOutput_L2"), "100");
    EXPECT_EQ(edit("eOutput_T2"), "80") << "shown as stored";
    h->click("eOutput_T2");
    EXPECT_EQ(edit("eOutput_T2"), "49") << "edited, it goes below T1";
}
