// Dimming engine 2: the delayed steps of the LST timer, and what it shares
// with engine 1.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

TEST_F(DimmingEngineTest, Engine2OpensTheDefaultStepsAndOkWritesThemBack)
{
    const Bytes before = image();
    click("iISD2_en");
    ASSERT_TRUE(shown("pDimmer2"));
    expectTexts({{"eD2_Delay1", "0"}, {"eD2_Fade1", "0"}, {"eD2_Level1", "50"},
                 {"eD2_Delay2", "0"}, {"eD2_Level2", "-"}});
    EXPECT_TRUE(ticked("rbD2_On1"));
    EXPECT_EQ(colour("ED2_gb1"), bgr(clMoneyGreen));
    EXPECT_EQ(colour("ED2_gb2"), bgr(clSilver));
    EXPECT_TRUE(enabled("ED2_gb2"));
    for (int k = 3; k <= 10; ++k)
        EXPECT_FALSE(enabled(n("ED2_gb", k))) << k;
    EXPECT_FALSE(shown("lDelete2") || shown("ED2_cbDel2"));

    click("bDimmer2OK");
    EXPECT_EQ(differences(image(), before), "");
    EXPECT_FALSE(busy());
}

// Delays in their ranges stored as time codes; OK writes the steps and
// nothing else.
TEST_F(DimmingEngineTest, Engine2DelaysAreStoredAsTimeCodes)
{
    const Bytes before = image();
    click("iISD2_en");
    const struct { int step, range, position; const char* text; } cases[] = {
        {2, 1, 30, "00:05:00"}, {3, 3, 6, "01:30:00"}, {4, 3, 60, "15:00:00"}};
    for (auto c : cases) {
        click(n("eD2_Level", c.step));
        click(n("eD2_Delay", c.step));
        EXPECT_EQ(tag("sbD2"), c.step * 16 + kindTime);
        chooseRange("comboD2", c.range);
        slide("sbD2", c.position);
        EXPECT_EQ(edit(n("eD2_Delay", c.step)), c.text);
    }
    click("bDimmer2OK");
    const Bytes steps = stepList({0, 0, 0x32, 0x5E, 0, 0x64, 0xC6, 0, 0x64, 0xFC, 0, 0x64});
    EXPECT_EQ(differences(image(), withSteps(before, img::dim2Steps, steps)), "");

    click("iISD2_en");
    EXPECT_EQ(edit("eD2_Delay2"), "00:05:00");
    click("eD2_Delay4");
    chooseRange("comboD2", 2);
    EXPECT_EQ(edit("eD2_Delay4"), "01:00:00");
    EXPECT_EQ(slider("sbD2")->position(), 60);
}

TEST_F(DimmingEngineTest, Engine2StepWithoutDelayEndsTheList)
{
    // Delays 0, 10 s, 0 and 20 s: steps 1 and 2 stay.
    click("iISD2_en");
    for (int step : {2, 3, 4})
        click(n("eD2_Level", step));
    for (auto [step, seconds] : {std::pair{2, 10}, std::pair{4, 20}}) {
        click(n("eD2_Delay", step));
        chooseRange("comboD2", 0);
        slide("sbD2", seconds);
    }
    click("bDimmer2OK");
    EXPECT_EQ(steps(img::dim2Steps), stepList({0, 0, 0x32, 10, 0, 0x64}));
}

// Unlike engine 1, level 0 does not tick "Off".
TEST_F(DimmingEngineTest, Engine2LevelSliderLeavesTheRelayAlone)
{
    click("iISD2_en");
    click("eD2_Level1");
    slide("sbD2", 0);
    EXPECT_TRUE(ticked("rbD2_On1"));
    click("bDimmer2OK");
    EXPECT_EQ(image()[img::dim2FirstLevel], 0x00);

    click("iISD2_en");
    click("rbD2_Off1");
    click("eD2_Level1");
    slide("sbD2", 20);
    slide("sbD2", 0);
    EXPECT_TRUE(ticked("rbD2_Off1"));
    click("bDimmer2OK");
    EXPECT_EQ(image()[img::dim2FirstLevel], 0x80);
}

// Engine 1 greys ISD; engine 2 switches the LST timer off and redraws the
// main screen. The switch had been turned on again while the list was empty.
TEST_F(DimmingEngineTest, EmptyFirstStepSwitchesTheEnginesFeatureOff)
{
    const struct {
        int steps, bit;
        const char *tile, *level, *ok;
        std::vector<const char*> offPictures;
    } engines[] = {
        {img::dim1Steps, img::bitIsdEnable, "iISD1_en", "eD1_Level1", "bDimmer1_OK",
         {"Astro_dis", "dm1_dis", "sw_astro_open"}},
        {img::dim2Steps, img::bitLstEnable, "iISD2_en", "eD2_Level1", "bDimmer2OK",
         {"LST_dis", "sw_lst_open", "dm2_dis"}},
    };
    for (const auto& e : engines) {
        load(e.steps, stepList({}));
        h->image()[img::featureFlags] = SetBit(h->image()[img::featureFlags], e.bit);
        for (const char* name : e.offPictures)
            h->find(name)->hide();
        Bytes expected = image();
        expected[img::featureFlags] = ClearBit(expected[img::featureFlags], e.bit);

        click(e.tile);
        EXPECT_EQ(edit(e.level), "-");
        click(e.ok);
        EXPECT_EQ(differences(image(), expected), "") << e.tile << ": only the feature bit changes";
        for (const char* name : e.offPictures)
            EXPECT_TRUE(shown(name)) << name;
        EXPECT_FALSE(busy());
    }
}

// Both engines share one copy of the steps while open.
TEST_F(DimmingEngineTest, OpeningOneEngineShowsOnlyItsOwnSteps)
{
    click("iISD1_en");
    click("eD1_Level3");
    click("bDimmer1_Cancel");

    click("iISD2_en");
    expectTexts({{"eD2_Level1", "50"}, {"eD2_Level2", "-"}, {"eD2_Level3", "-"}});
    EXPECT_FALSE(enabled("ED2_gb3") || shown("ED2_cbDel2"));
    const AppState& st = h->state();
    EXPECT_EQ(Bytes(st.dimSteps.begin(), st.dimSteps.end()), steps(img::dim2Steps));
    click("bDimmer2Cancel");

    click("iISD1_en");
    expectTexts({{"eD1_Level2", "100"}, {"eD1_Level3", "-"}});
}
