// The control output: the main screen's mode switch and the output panel.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct OutputPanelTest : PanelTest {
    int mode() const { return image()[img::featureFlags] & img::outputModeMask; }
    bool storePol() const { return TestBit(image()[img::optionFlags], img::bitStorePol); }
    // Clicks whichever mode switch shows.
    void clickSwitch()
    {
        for (const char* name : {"SW_PWM", "SW_DALI", "SW_Ten"})
            if (h->shown(name))
                return h->click(name);
    }
};

} // namespace

TEST_F(OutputPanelTest, SwitchCyclesDaliTenPwmAndWritesAtOnce)
{
    load({{img::featureFlags, 0x9C | img::outputDaliLog}, {img::optionFlags, 0x35}});
    Bytes expected = image();
    const struct { std::uint8_t mode; const char* shows; } steps[] = {
        {img::output1To10V, "iTen"}, {img::outputPwm, "PWM"}, {img::outputDaliLog, "Dali"}};
    for (auto step : steps) {
        clickSwitch();
        expected[img::featureFlags] = 0x9C | step.mode;
        if (step.mode == img::outputDaliLog)
            expected[img::optionFlags] = 0x31; // entering DALI clears storePol
        EXPECT_EQ(differences(image(), expected), "") << step.shows;
        EXPECT_TRUE(h->shown(step.shows));
    }
    EXPECT_FALSE(h->shown("PWM"));
    EXPECT_FALSE(busy());
}

TEST_F(OutputPanelTest, OneTurnFromDaliLinearEndsLogarithmic)
{
    load({{img::featureFlags, img::outputDaliLinear}});
    for (int i = 0; i < 3; ++i)
        clickSwitch();
    EXPECT_EQ(mode(), img::outputDaliLog);
}

TEST_F(OutputPanelTest, LeavingDaliKeepsStorePolUntilTheNextOk)
{
    load({{img::featureFlags, img::outputDaliLog}, {img::optionFlags, 0x04}});
    clickSwitch();
    EXPECT_TRUE(storePol());
    h->click("iTen");
    EXPECT_FALSE(h->shown("cbDaliLog"));
    EXPECT_FALSE(h->shown("cbStorePOL"));
    EXPECT_FALSE(h->shown("cbDC")) << "no curve files";
    const Bytes before = image();
    h->click("bOutput_OK");
    EXPECT_EQ(differences(image(), with(before, {{img::optionFlags, 0}})), "");
}

TEST_F(OutputPanelTest, OkInDaliWritesMinimumLevelAndVariant)
{
    load({{img::featureFlags, 0x0C | img::outputDaliLog}, {img::minLevel, 10}});
    const Bytes before = image();
    h->click("lMinLevel");
    EXPECT_TRUE(h->shown("pOutput"));
    EXPECT_TRUE(h->shown("cbDaliLog"));
    EXPECT_TRUE(ticked("cbDaliLog"));
    EXPECT_FALSE(ticked("cbStorePOL"));
    EXPECT_EQ(edit("eMinLevel"), "10");
    EXPECT_FALSE(h->shown("pMinLevel"));
    h->click("eMinLevel");
    EXPECT_TRUE(h->shown("pMinLevel"));
    slide("sbMinLevel", 35);
    EXPECT_EQ(edit("eMinLevel"), "35");
    tick("cbDaliLog", false);
    tick("cbStorePOL", true);
    h->click("bOutput_OK");
    EXPECT_EQ(differences(image(), with(before, {{img::featureFlags, 0x0C | img::outputDaliLinear},
                                                 {img::minLevel, 35},
                                                 {img::optionFlags, before[img::optionFlags] | 0x04}})),
              "");
    EXPECT_EQ(label("lMinLevel"), "Min. Level=35%");
    EXPECT_FALSE(busy());
    EXPECT_FALSE(h->shown("pMinLevel"));

    h->click("Dali");
    tick("cbDaliLog", true);
    h->click("bOutput_OK");
    EXPECT_EQ(mode(), img::outputDaliLog);
}

TEST_F(OutputPanelTest, RefreshTicksLogarithmicFromTheImage)
{
    for (auto [mode, log] : {std::pair{img::outputPwm, false}, {img::outputDaliLog, true}, {img::outputDaliLinear, false}}) {
        load({{img::featureFlags, mode}});
        EXPECT_EQ(ticked("cbDaliLog"), log) << int(mode);
    }
}

TEST_F(OutputPanelTest, MinimumLevelAbove100IsKeptUnlessEdited)
{
    load({{img::minLevel, 150}});
    h->click("iTen");
    EXPECT_EQ(edit("eMinLevel"), "150");
    h->click("bOutput_OK");
    EXPECT_EQ(image()[img::minLevel], 150);

    h->click("iTen");
    h->click("eMinLevel");
    EXPECT_EQ(edit("eMinLevel"), "100") << "the edit shows where the slider stands";
    EXPECT_EQ(slider("sbMinLevel")->position(), 100);
    h->click("bOutput_OK");
    EXPECT_EQ(image()[img::minLevel], 100);
}
