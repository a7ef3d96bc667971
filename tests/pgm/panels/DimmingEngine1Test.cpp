// Dimming engine 1: the time-of-day steps of ISD.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

TEST_F(DimmingEngineTest, Engine1OpensTheDefaultStepsAndOkWritesThemBack)
{
    const Bytes before = image();
    click("iISD1_en");
    ASSERT_TRUE(shown("pDimmer1"));
    EXPECT_TRUE(busy());
    const struct { int step; const char* time; const char* level; bool used, enabled; } rows[] = {
        {1, "22:00:00", "50", true, true},   {2, "05:00:00", "100", true, true}, {3, "00:00:00", "-", false, true},
        {4, "00:00:00", "-", false, false}, {10, "00:00:00", "-", false, false},
    };
    for (auto r : rows) {
        EXPECT_EQ(edit(n("eD1_Time", r.step)), r.time) << r.step;
        EXPECT_EQ(edit(n("eD1_Fade", r.step)), "0") << r.step;
        EXPECT_EQ(edit(n("eD1_Level", r.step)), r.level) << r.step;
        EXPECT_EQ(colour(n("ED1_gb", r.step)), bgr(r.used ? clMoneyGreen : clSilver)) << r.step;
        EXPECT_EQ(enabled(n("ED1_gb", r.step)), r.enabled) << r.step;
    }
    EXPECT_TRUE(ticked("rbD1_On1") && ticked("rbD1_On2"));
    EXPECT_TRUE(shown("lDelete") && shown("ED1_cbDel2"));
    for (int k = 3; k <= 10; ++k)
        EXPECT_FALSE(shown(n("ED1_cbDel", k))) << k;
    EXPECT_FALSE(shown("pD1Slider"));

    click("bDimmer1_OK");
    EXPECT_EQ(differences(image(), before), "");
    EXPECT_FALSE(shown("pDimmer1") || busy());
}

// The slider runs from three in the afternoon to nine in the morning; OK
// writes the steps and nothing else.
TEST_F(DimmingEngineTest, Engine1TimeSliderPositionsAndTheirCodes)
{
    const Bytes before = image();
    click("iISD1_en");
    click("eD1_Level3"); // adds step 3, row 4 becomes the empty row
    click("eD1_Level4");
    const struct { int step, position; const char* time; } cases[] = {
        {1, 20, "15:00:00"}, {2, 104, "22:00:00"}, {3, 188, "05:00:00"}, {4, 236, "09:00:00"}};
    for (auto c : cases) {
        click(n("eD1_Time", c.step));
        EXPECT_EQ(tag("sbD1"), c.step * 16 + kindTimeOfDay);
        EXPECT_TRUE(shown("pD1Slider") && !shown("comboD1"));
        EXPECT_TRUE(edited(n("eD1_Time", c.step)));
        slide("sbD1", c.position);
        EXPECT_EQ(edit(n("eD1_Time", c.step)), c.time);
    }
    click("bDimmer1_OK");
    const Bytes steps = stepList({0x94, 0, 0x32, 0xE8, 0, 0x64, 0x3C, 0, 0x64, 0x6C, 0, 0x64});
    EXPECT_EQ(differences(image(), withSteps(before, img::dim1Steps, steps)), "");
}

// A step not later than the one before goes, and every step after it.
TEST_F(DimmingEngineTest, Engine1StepNotLaterThanTheOneBeforeEndsTheList)
{
    const Bytes defaults = stepList({0xE8, 0, 0x32, 0x3C, 0, 0x64});
    const std::vector<std::pair<int, int>> rows[] = {
        {},                     // step 3 added and left at 00:00, before 05:00
        {{3, 116}, {4, 200}},   // 23:00 after 05:00, and a later step behind it
        {{3, 188}},             // 05:00 twice
    };
    for (const auto& times : rows) {
        click("iISD1_en");
        click("eD1_Level3");
        EXPECT_EQ(colour("ED1_gb3"), bgr(clMoneyGreen));
        EXPECT_TRUE(shown("ED1_cbDel3") && enabled("ED1_gb4"));
        for (auto [step, position] : times) {
            if (step > 3)
                click(n("eD1_Level", step));
            click(n("eD1_Time", step));
            slide("sbD1", position);
        }
        click("bDimmer1_OK");
        EXPECT_EQ(steps(img::dim1Steps), defaults) << times.size();
    }
}

// Level 0 ticks "Off"; "Off" with a level above 0 is stored with the relay bit.
TEST_F(DimmingEngineTest, Engine1LevelSliderSetsTheRelay)
{
    click("iISD1_en");
    click("eD1_Level1");
    EXPECT_EQ(tag("sbD1"), 1 * 16 + kindLevel);
    slide("sbD1", 0);
    EXPECT_TRUE(ticked("rbD1_Off1"));
    click("eD1_Level2");
    slide("sbD1", 30);
    EXPECT_TRUE(ticked("rbD1_On2"));
    click("rbD1_Off2");
    click("bDimmer1_OK");
    EXPECT_EQ(image()[img::dim1FirstLevel], 0x80);
    EXPECT_EQ(image()[img::dim1FirstLevel + 3], 0x9E);

    click("iISD1_en");
    EXPECT_TRUE(ticked("rbD1_Off2"));
    EXPECT_EQ(edit("eD1_Level2"), "30");
}

TEST_F(DimmingEngineTest, Engine1FadeInTheLongestRange)
{
    const Bytes before = image();
    click("iISD1_en");
    click("eD1_Fade1");
    EXPECT_EQ(tag("sbD1"), 1 * 16 + kindFade);
    chooseRange("comboD1", 3);
    slide("sbD1", 7);
    EXPECT_EQ(edit("eD1_Fade1"), "04,200");
    click("bDimmer1_OK");
    EXPECT_EQ(differences(image(), with(before, {{img::dim1Steps + img::stepFade, 196}})), "");
    click("iISD1_en");
    EXPECT_EQ(edit("eD1_Fade1"), "03,600") << "code 196 keeps whole units of 900 s";
}

TEST_F(DimmingEngineTest, Engine1DeleteRemovesTheStepAndAllAfterIt)
{
    click("iISD1_en");
    click("eD1_Level3");
    EXPECT_EQ(slider("sbD1")->position(), 100) << "a new step opens at full level";
    click("ED1_cbDel2");
    EXPECT_FALSE(ticked("ED1_cbDel2"));
    EXPECT_EQ(edit("eD1_Level2"), "-");
    EXPECT_EQ(colour("ED1_gb2"), bgr(clSilver));
    EXPECT_TRUE(enabled("ED1_gb2"));
    EXPECT_FALSE(enabled("ED1_gb3"));
    for (const char* hidden : {"ED1_cbDel2", "ED1_cbDel3", "lDelete", "pD1Slider"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), stepList({0xE8, 0, 0x32}));
}
