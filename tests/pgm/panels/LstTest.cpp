// The LST timer: its tile's click inverts the input's polarity at once; the hold-time panel's slider.

#include "PanelTesting.h"

using LstTest = PanelTest;

// Byte 0: 0x08 the LST timer on, 0x10 inverted polarity. While the timer is off its grey overlay takes the click.
TEST_F(LstTest, AClickInvertsThePolarity)
{
    play({{{{img::featureFlags, 0x08}}, {"iLst_en", "!iLst_en", "?iLST_pol"}, {{img::featureFlags, 0x18}}},
          {{{img::featureFlags, 0x18}}, {"iLST_pol", "?iLst_en", "!iLST_pol"}, {{img::featureFlags, 0x08}}},
          {{{img::featureFlags, 0x00}}, {"@iLst_en", "?LST_dis", "?iLst_en", "!iLST_pol"}}});
}

// The hold-time panel opens without its slider strip; a click on the time brings it with its range selector.
TEST_F(LstTest, HoldTimeSliderShowsOnlyAfterAClick)
{
    play({{{{img::holdTime, 94}},
           {"iTHold_en", "?pTHold", "!pHoldTime", "eHoldTime", "?pHoldTime", "?combHold", "bTHoldCancel", "!pHoldTime",
            "iTHold_en", "!pHoldTime", "bTHoldCancel"}}});
}

// The hold switch shown on turns the hold time off at once: its byte 0, the tile greyed, the label gone; so do
// OK with the time moved to 0 and switching the LST timer on (the time kept while it was off).
TEST_F(LstTest, HoldSwitchTurnsTheHoldTimeOff)
{
    play({{{{img::holdTime, 94}}, {"?lHold", "sw_hold_on", "?HOLD_dis", "?sw_hold_off", "!lHold"}, {{img::holdTime, 0}}},
          {{{img::holdTime, 94}},
           {"lHold", "eHoldTime", "sbHold=0", "bTHoldOK", "?HOLD_dis", "?sw_hold_off", "!lHold"},
           {{img::holdTime, 0}}},
          {{{img::featureFlags, 0x04}, {img::holdTime, 94}},
           {"@sw_lst_open", "!LST_dis", "?HOLD_dis", "?sw_hold_off", "!lHold"},
           {{img::featureFlags, 0x0C}, {img::holdTime, 0}}}});
}

// A hold time of one second is a time like any other: OK shows its label and takes the tile's grey away.
TEST_F(LstTest, AHoldTimeOfOneSecondIsShown)
{
    play({{{}, {"sw_hold_off", "eHoldTime", "sbHold=1", "eHoldTime==00:00:01", "bTHoldOK", "?lHold", "lHold==00:00:01",
                "!HOLD_dis", "?sw_hold_on"},
           {{img::holdTime, 1}}}});
}

// A range picked in the selector rounds the time to the range's steps and moves the slider with it: 00:05:00 is
// 30 steps of 10 s; 00:07:50 becomes 00:08:00 in minutes and at most 00:01:00 in seconds.
TEST_F(LstTest, APickedRangeRoundsTheTimeToItsSteps)
{
    play({{{{img::holdTime, 94}},
           {"iTHold_en", "eHoldTime", "combHold=1", "eHoldTime==00:05:00", "sbHold==30", "sbHold=47",
            "eHoldTime==00:07:50", "combHold=2", "eHoldTime==00:08:00", "sbHold==8", "combHold=0", "eHoldTime==00:01:00",
            "sbHold==60", "bTHoldOK", "lHold==00:01:00"},
           {{img::holdTime, 60}}}});
}
