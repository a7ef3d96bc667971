// Dimming engine 1: time-of-day steps through the night.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

// The slider runs from 15:00 (20) over midnight (128) to 09:00 (236).
TEST_F(DimmingEngineTest, Engine1TimeSliderPositionsAndTheirCodes)
{
    open();
    click("eD1_Level3");
    click("eD1_Level4");
    const struct { int step, position; const char* time; } cases[] = {
        {1, 20, "15:00:00"}, {2, 104, "22:00:00"}, {3, 188, "05:00:00"}, {4, 236, "09:00:00"}};
    for (auto k : cases) {
        set("eD#_Time", k.step, k.position);
        EXPECT_TRUE(shown("pD1Slider") && !shown("comboD1") && edited(c("eD#_Time", k.step)));
        EXPECT_EQ(edit(c("eD#_Time", k.step)), k.time);
    }
    ok();
    EXPECT_EQ(steps(), stepList({0x94, 0, 0x32, 0xE8, 0, 0x64, 0x3C, 0, 0x64, 0x6C, 0, 0x64}));
}

// A step not later than the one before goes, with every step after it.
TEST_F(DimmingEngineTest, Engine1StepNotLaterThanTheOneBeforeEndsTheList)
{
    const std::vector<std::pair<int, int>> rows[] = {
        {},                   // step 3 left at 00:00, before 05:00
        {{3, 116}, {4, 200}}, // 23:00 after 05:00, and a later step behind it
        {{3, 188}},           // 05:00 twice
    };
    for (const auto& times : rows) {
        open();
        click("eD1_Level3");
        for (auto [step, position] : times) {
            click(c("eD#_Level", step));
            set("eD#_Time", step, position);
        }
        ok();
        EXPECT_EQ(steps(), stepList({0xE8, 0, 0x32, 0x3C, 0, 0x64})) << times.size();
    }
}
