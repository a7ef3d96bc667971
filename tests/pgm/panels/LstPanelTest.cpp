// The hold-time panel.

#include "PanelTesting.h"

#include <map>

using namespace nolt;
using namespace nolt::test;

using LstPanelTest = PanelTest;

// 253..255 lie beyond the slider's 15:00:00 and keep their text when range 3 is chosen again. OK stores every
// code as it came, but a duration with a code in a shorter unit in that one.
TEST_F(LstPanelTest, StoredTimesAreKeptUntilChanged)
{
    load({{img::holdTime, 254}});
    act({"iTHold_en", "eHoldTime", "combHold=3", "eHoldTime==15:30:00", "sbHold==60", "bTHoldOK"});
    EXPECT_EQ(image()[img::holdTime], 254);
    const std::map<int, int> shorter = {{64, 0},    {65, 10},   {66, 20},   {67, 30},   {68, 40},   {69, 50},
                                        {70, 60},   {128, 0},   {129, 60},  {130, 76},  {131, 82},  {132, 88},
                                        {133, 94},  {134, 100}, {135, 106}, {136, 112}, {137, 118}, {138, 124},
                                        {192, 0},   {193, 143}, {194, 158}, {195, 173}, {196, 188}};
    for (int code = 1; code < 256; ++code) {
        load({{img::holdTime, std::uint8_t(code)}});
        act({"@iTHold_en", "bTHoldOK"});
        EXPECT_EQ(image()[img::holdTime], shorter.contains(code) ? shorter.at(code) : code) << code;
    }
}
