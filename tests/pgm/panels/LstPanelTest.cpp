// The hold-time panel.

#include "PanelTesting.h"

#include <QSignalBlocker>

#include <map>

using namespace nolt;
using namespace nolt::test;

namespace {

struct LstPanelTest : PanelTest {
    // Loads a hold time and opens the panel and its slider, which stands where an earlier use left it.
    void openSlider(std::uint8_t code, int leftAt = 30)
    {
        load({{img::holdTime, code}});
        QSignalBlocker earlierUse(slider("sbHold"));
        slider("sbHold")->setPosition(leftAt);
        earlierUse.unblock();
        act({"@iTHold_en", "eHoldTime"});
    }
};

} // namespace

// The hold editor shares the power-on ranges, but a time between two steps opens at the step below; 253..255
// lie beyond the slider's 15:00:00 and are kept until moved.
TEST_F(LstPanelTest, StoredTimesAreKeptUntilChanged)
{
    openSlider(191); // 3780 s
    act({"combHold==3", "sbHold==4", "eHoldTime==01:00:00", "bTHoldCancel"});
    openSlider(254);
    act({"eHoldTime==15:30:00", "sbHold==60", "combHold=3", "bTHoldOK"});
    EXPECT_EQ(image()[img::holdTime], 254);
    openSlider(253, 60);
    act({"sbHold=59", "sbHold=60", "bTHoldOK"});
    EXPECT_EQ(image()[img::holdTime], 252);
    // OK stores every code as it came, but a duration with a code in a shorter unit in that one.
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
