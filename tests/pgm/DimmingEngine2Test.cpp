// Dimming engine 2: the delayed steps of the LST timer, and what it shares
// with engine 1.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

TEST_F(DimmingEngineTest, Engine2OpensTheDefaultStepsAndOkWritesThemBack)
{
    const Bytes before = h->image();
    click("iISD2_en");
    ASSERT_TRUE(shown("pDimmer2"));
    EXPECT_EQ(get("pDimmer2")->geometry(), QRect(263, 33, 516, 506));
    expectTexts({{"eD2_Delay1", "0"}, {"eD2_Fade1", "0"}, {"eD2_Level1", "50"},
                 {"eD2_Delay2", "0"}, {"eD2_Level2", "-"}});
    EXPECT_TRUE(ticked("rbD2_On1"));
    EXPECT_EQ(colour("ED2_gb1"), bgr(clMoneyGreen));
    EXPECT_EQ(colour("ED2_gb2"), bgr(clSilver));
    EXPECT_TRUE(enabled("ED2_gb2"));
    for (int k = 3; k <= 10; ++k)
        EXPECT_FALSE(enabled(QStringLiteral("ED2_gb%1").arg(k))) << k;
    EXPECT_FALSE(shown("lDelete2"));
    EXPECT_FALSE(shown("ED2_cbDel2"));

    click("bDimmer2OK");
    EXPECT_EQ(h->image(), before);
    EXPECT_FALSE(h->form->state().formDisabled);
}

TEST_F(DimmingEngineTest, Engine2DelaysAreStoredAsTimeCodes)
{
    click("iISD2_en");
    struct { int step, range, position; const char* text; } cases[] = {
        {2, 1, 30, "00:05:00"}, {3, 3, 6, "01:30:00"}, {4, 3, 60, "15:00:00"}};
    for (auto c : cases) {
        click(QStringLiteral("eD2_Level%1").arg(c.step));
        click(QStringLiteral("eD2_Delay%1").arg(c.step));
        EXPECT_EQ(sliderTag(get<ScrollBar>("sbD2")), c.step * 16 + kindTime);
        ASSERT_TRUE(shown("comboD2"));
        EXPECT_EQ(get<QComboBox>("comboD2")->itemText(3), "-> 15:00:00");
        choose("comboD2", c.range);
        slide("sbD2", c.position);
        EXPECT_EQ(text(QStringLiteral("eD2_Delay%1").arg(c.step)), c.text);
    }
    click("bDimmer2OK");
    EXPECT_EQ(steps(img::dim2Steps), stepList({0, 0, 0x32, 0x5E, 0, 0x64, 0xC6, 0, 0x64, 0xFC, 0, 0x64}));

    click("iISD2_en");
    EXPECT_EQ(text("eD2_Delay2"), "00:05:00");
    click("eD2_Delay4");
    choose("comboD2", 2);
    EXPECT_EQ(text("eD2_Delay4"), "01:00:00");
    EXPECT_EQ(position("sbD2"), 60);
}

TEST_F(DimmingEngineTest, Engine2StepWithoutDelayEndsTheList)
{
    // Delays 0, 10 s, 0 and 20 s: steps 1 and 2 stay.
    click("iISD2_en");
    for (int step : {2, 3, 4})
        click(QStringLiteral("eD2_Level%1").arg(step));
    for (auto [step, seconds] : {std::pair{2, 10}, std::pair{4, 20}}) {
        click(QStringLiteral("eD2_Delay%1").arg(step));
        choose("comboD2", 0);
        slide("sbD2", seconds);
    }
    click("bDimmer2OK");
    EXPECT_EQ(steps(img::dim2Steps), stepList({0, 0, 0x32, 10, 0, 0x64}));
}

TEST_F(DimmingEngineTest, Engine2LevelSliderLeavesTheRelayAlone)
{
    click("iISD2_en");
    click("eD2_Level1");
    slide("sbD2", 0);
    EXPECT_TRUE(ticked("rbD2_On1"));
    click("bDimmer2OK");
    EXPECT_EQ(h->image()[img::dim2FirstLevel], 0x00);

    click("iISD2_en");
    click("rbD2_Off1");
    click("eD2_Level1");
    slide("sbD2", 20);
    slide("sbD2", 0);
    EXPECT_TRUE(ticked("rbD2_Off1"));
    click("bDimmer2OK");
    EXPECT_EQ(h->image()[img::dim2FirstLevel], 0x80);
}

// Engine 1 greys ISD; engine 2 switches the LST timer off and redraws the
// main screen. The switch had been turned on again while the list was empty.
TEST_F(DimmingEngineTest, EmptyFirstStepSwitchesTheEnginesFeatureOff)
{
    struct {
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
        load({{e.steps, stepList({})}});
        Bytes& image = h->image();
        image[img::featureFlags] = SetBit(image[img::featureFlags], e.bit);
        for (const char* name : e.offPictures)
            h->find(name)->hide();
        Bytes expected = image;
        expected[img::featureFlags] = ClearBit(expected[img::featureFlags], e.bit);

        click(e.tile);
        EXPECT_EQ(text(e.level), "-");
        click(e.ok);
        EXPECT_EQ(h->image(), expected) << e.tile << ": only the feature bit changes";
        for (const char* name : e.offPictures)
            EXPECT_TRUE(h->shown(name)) << name;
        EXPECT_FALSE(h->form->state().formDisabled);
    }
}

TEST_F(DimmingEngineTest, Engine2OkChangesOnlyItsOwnBytes)
{
    const Bytes before = h->image();
    click("iISD2_en");
    click("eD2_Level2");
    click("eD2_Delay2");
    choose("comboD2", 2);
    slide("sbD2", 2);
    click("rbD2_Off2");
    click("eD2_Fade1");
    choose("comboD2", 1);
    slide("sbD2", 5);
    click("bDimmer2OK");
    expectOthersUnchanged(before, img::dim2Steps);
    // 2 minutes are 12 units of 10 s; 0xE4 is 100 % with the relay off.
    EXPECT_EQ(steps(img::dim2Steps), stepList({0, 50, 0x32, 0x4C, 0, 0xE4}));
}

TEST_F(DimmingEngineTest, OpeningOneEngineShowsOnlyItsOwnSteps)
{
    click("iISD1_en");
    click("eD1_Level3");
    click("bDimmer1_Cancel");

    click("iISD2_en");
    EXPECT_EQ(text("eD2_Level1"), "50");
    EXPECT_EQ(text("eD2_Level2"), "-");
    EXPECT_EQ(text("eD2_Level3"), "-");
    EXPECT_FALSE(enabled("ED2_gb3"));
    EXPECT_FALSE(shown("ED2_cbDel2"));
    const Bytes copy(h->form->state().dimSteps.begin(), h->form->state().dimSteps.end());
    EXPECT_EQ(copy, steps(img::dim2Steps));
    click("bDimmer2Cancel");

    click("iISD1_en");
    EXPECT_EQ(text("eD1_Level2"), "100");
    EXPECT_EQ(text("eD1_Level3"), "-");
}

TEST_F(DimmingEngineTest, Engine2HelpAndLayout)
{
    click("iISD2_en");
    EXPECT_EQ(get("pD2Slider")->y(), 466);
    EXPECT_EQ(get("bDimmer2OK")->geometry(), QRect(397, 470, 23, 23));
    click("bQuestion");
    EXPECT_TRUE(shown("pHelpD1"));
    EXPECT_EQ(get("Image2")->geometry(), QRect(14, 161, 469, 193));
    click("Image2");
    EXPECT_FALSE(shown("pHelpD1"));
    EXPECT_TRUE(shown("pDimmer2"));
}
