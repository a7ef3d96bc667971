// What the two dimming engines share, as tables over both, and engine 2's
// delayed steps.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

// Used steps green with delete boxes, the empty row after them silver, the
// rows behind it disabled; OK writes the image back unchanged.
TEST_F(DimmingEngineTest, OpenShowsTheStepsAndOkWritesThemBack)
{
    const struct { Engine engine; int used; std::vector<const char*> texts; } engines[] = {
        {engine1, 2, {"22:00:00", "0", "50", "05:00:00", "0", "100", "00:00:00", "0", "-", "00:00:00", "0", "-"}},
        {engine2, 1, {"0", "0", "50", "0", "0", "-", "0", "0", "-"}},
    };
    for (const auto& [engine, used, texts] : engines) {
        e = engine;
        const Bytes before = image();
        open();
        EXPECT_TRUE(shown(c("pDimmer#")) && busy() && !shown(c("pD#Slider")));
        const char* const fields[] = {e.first, "eD#_Fade", "eD#_Level"};
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(edit(c(fields[i % 3], int(i / 3) + 1)), texts[i]) << e.n << " " << i;
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(colour(k), bgr(k <= used ? clMoneyGreen : clSilver)) << k;
            EXPECT_EQ(enabled(k), k <= used + 1) << k;
            EXPECT_TRUE(ticked(c("rbD#_On", k))) << k;
            EXPECT_EQ(k > 1 && shown(c("ED#_cbDel", k)), k > 1 && k <= used) << k;
        }
        EXPECT_EQ(shown(e.deleteLabel), used > 1);
        ok();
        EXPECT_EQ(differences(image(), before), "");
        EXPECT_FALSE(shown(c("pDimmer#")) || busy());
    }
}

// A new step opens at full level; deleting a step removes every step after it.
TEST_F(DimmingEngineTest, AddAndDeleteSteps)
{
    const std::pair<Engine, std::uint8_t> engines[] = {{engine1, 0xE8}, {engine2, 0x00}}; // first step's time
    for (const auto& [engine, first] : engines) {
        e = engine;
        open();
        click(c("eD#_Level2"));
        click(c("eD#_Level3"));
        EXPECT_EQ(position(), 100);
        EXPECT_EQ(colour(3), bgr(clMoneyGreen));
        EXPECT_TRUE(shown(c("ED#_cbDel3")) && enabled(4));
        click(c("ED#_cbDel2"));
        EXPECT_FALSE(ticked(c("ED#_cbDel2")));
        EXPECT_EQ(edit(c("eD#_Level2")), "-");
        EXPECT_EQ(colour(2), bgr(clSilver));
        EXPECT_TRUE(enabled(2) && !enabled(3));
        for (const char* hidden : {"ED#_cbDel2", "ED#_cbDel3", "pD#Slider"})
            EXPECT_FALSE(shown(c(hidden))) << hidden;
        EXPECT_FALSE(shown(e.deleteLabel));
        ok();
        EXPECT_EQ(steps(), stepList({first, 0, 0x32}));
    }
}

// Engine 1's level slider sets the relay (off at 0), engine 2's leaves it;
// "Off" is the level byte's top bit. A fade in the longest range keeps
// whole units of 900 s.
TEST_F(DimmingEngineTest, LevelRelayAndFadeOfAStep)
{
    const struct { Engine engine; bool offAtZero, offAtTwenty; std::uint8_t stored; } engines[] = {
        {engine1, true, false, 0x14}, {engine2, false, true, 0x94}};
    for (const auto& r : engines) {
        e = r.engine;
        const Bytes before = image();
        open();
        set("eD#_Level", 1, 0);
        EXPECT_EQ(ticked(c("rbD#_Off1")), r.offAtZero);
        click(c("rbD#_Off1"));
        slide(c("sbD#"), 20);
        EXPECT_EQ(ticked(c("rbD#_Off1")), r.offAtTwenty);
        click(c("eD#_Fade1"));
        chooseRange(c("comboD#"), 3);
        slide(c("sbD#"), 7);
        EXPECT_EQ(edit(c("eD#_Fade1")), "04,200");
        ok();
        const int s = e.steps;
        EXPECT_EQ(differences(image(), with(before, {{s + img::stepFade, 196}, {s + img::stepLevel, r.stored}})), "");
        open();
        EXPECT_EQ(ticked(c("rbD#_Off1")), r.offAtTwenty);
        EXPECT_EQ(edit(c("eD#_Level1")), "20");
        EXPECT_EQ(edit(c("eD#_Fade1")), "03,600");
        click(e.cancel);
    }
}

// Engine 1 greys ISD; engine 2 switches the LST timer off and redraws the
// main screen. The switch had been turned on again while the list was empty.
TEST_F(DimmingEngineTest, EmptyFirstStepSwitchesTheEnginesFeatureOff)
{
    const struct { Engine engine; int bit; std::vector<const char*> offPictures; } engines[] = {
        {engine1, img::bitIsdEnable, {"Astro_dis", "dm1_dis", "sw_astro_open"}},
        {engine2, img::bitLstEnable, {"LST_dis", "sw_lst_open", "dm2_dis"}},
    };
    for (const auto& [engine, bit, offPictures] : engines) {
        e = engine;
        load(e.steps, stepList({}));
        h->image()[img::featureFlags] = SetBit(h->image()[img::featureFlags], bit);
        for (const char* name : offPictures)
            h->find(name)->hide();
        const Bytes expected = with(image(), {{img::featureFlags, ClearBit(image()[img::featureFlags], bit)}});
        open();
        EXPECT_EQ(edit(c("eD#_Level1")), "-");
        ok();
        EXPECT_EQ(differences(image(), expected), "") << e.n << ": only the feature bit changes";
        for (const char* name : offPictures)
            EXPECT_TRUE(shown(name)) << name;
        EXPECT_FALSE(busy());
    }
}

// The engines share one working copy of the steps, filled at each opening.
TEST_F(DimmingEngineTest, OpeningOneEngineShowsOnlyItsOwnSteps)
{
    open();
    click("eD1_Level3");
    click("bDimmer1_Cancel");
    e = engine2;
    open();
    EXPECT_EQ(edit("eD2_Level2"), "-");
    EXPECT_FALSE(enabled(3) || shown("ED2_cbDel2"));
    EXPECT_EQ(Bytes(h->state().dimSteps.begin(), h->state().dimSteps.end()), steps());
}

// Delays in their ranges are stored as time codes; a delay reopens in its range.
TEST_F(DimmingEngineTest, Engine2DelaysAreStoredAsTimeCodes)
{
    e = engine2;
    open();
    const struct { int step, range, position; const char* text; } cases[] = {
        {2, 1, 30, "00:05:00"}, {3, 3, 6, "01:30:00"}, {4, 3, 60, "15:00:00"}};
    for (auto k : cases) {
        click(c("eD#_Level", k.step));
        click(c("eD#_Delay", k.step));
        chooseRange("comboD2", k.range);
        slide("sbD2", k.position);
        EXPECT_EQ(edit(c("eD#_Delay", k.step)), k.text);
    }
    ok();
    EXPECT_EQ(steps(), stepList({0, 0, 0x32, 0x5E, 0, 0x64, 0xC6, 0, 0x64, 0xFC, 0, 0x64}));
    open();
    EXPECT_EQ(edit("eD2_Delay2"), "00:05:00");
    click("eD2_Delay4");
    chooseRange("comboD2", 2);
    EXPECT_EQ(edit("eD2_Delay4"), "01:00:00");
    EXPECT_EQ(position(), 60);
}

// Delays 0, 10 s, 0 and 20 s: a step without delay ends the list.
TEST_F(DimmingEngineTest, Engine2StepWithoutDelayEndsTheList)
{
    e = engine2;
    open();
    for (int step : {2, 3, 4})
        click(c("eD#_Level", step));
    for (int step : {2, 4}) {
        click(c("eD#_Delay", step));
        chooseRange("comboD2", 0);
        slide("sbD2", step * 5);
    }
    ok();
    EXPECT_EQ(steps(), stepList({0, 0, 0x32, 10, 0, 0x64}));
}
