// The LST and hold switches, the polarity tile and the hold-time panel.

#include "PanelTesting.h"

#include "image/TimeCodes.h"

#include <QSignalBlocker>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr std::uint8_t lstOn = 0x0C, lstOff = 0x04; // feature flags, ISD on

struct LstPanelTest : PanelTest {
    void load(int holdCode, std::uint8_t flags = lstOn)
    {
        PanelTest::load({{img::holdTime, static_cast<std::uint8_t>(holdCode)}, {img::featureFlags, flags}});
    }
    QString holdText() { return h->find<QLineEdit>("eHoldTime")->text(); }
    ScrollBar* slider() { return h->find<ScrollBar>("sbHold"); }
    QComboBox* combo() { return h->find<QComboBox>("combHold"); }
    // Opens the panel and the slider, which stands where an earlier use left it.
    void openSlider(int leftAt = 30)
    {
        {
            const QSignalBlocker earlierUse(slider());
            slider()->setPosition(leftAt);
        }
        clickOnScreen("iTHold_en");
        h->click("eHoldTime");
    }
    bool holdShowsOff() { return h->shown("sw_hold_off") && h->shown("HOLD_dis") && !h->shown("lHold"); }
};

} // namespace

TEST_F(LstPanelTest, SwitchesAndPolarity)
{
    load(convertTime(300), lstOff);
    h->form->state().remoteDim = true;
    clickOnScreen("sw_lst_open");
    EXPECT_TRUE(h->shown("LST_dis")) << "Remote DIM keeps the timer off";
    h->form->state().remoteDim = false;
    Bytes expected = h->image();
    expected[img::featureFlags] = lstOn;
    expected[img::holdTime] = 0; // switching on starts with the hold time off
    clickOnScreen("sw_lst_open");
    EXPECT_EQ(h->image(), expected);
    EXPECT_FALSE(h->shown("dm2_dis"));
    EXPECT_TRUE(holdShowsOff());

    clickOnScreen("iLst_en");
    EXPECT_TRUE(h->shown("iLST_pol"));
    EXPECT_EQ(h->image()[0], lstOn | (1 << img::bitLstInvert));
    clickOnScreen("iLST_pol");
    EXPECT_EQ(h->image(), expected);

    load(70);
    clickOnScreen("SW_lst_close");
    EXPECT_EQ(h->image()[0], lstOff);
    EXPECT_EQ(h->image()[img::holdTime], 70) << "kept while the timer is off";
    EXPECT_TRUE(h->shown("SW_hold_dis") && h->shown("HOLD_dis") && h->shown("dm2_dis") && !h->shown("lHold"));
}

TEST_F(LstPanelTest, SliderOpensInTheRangeThatHoldsTheTime)
{
    // A time between two steps goes to the step below.
    const struct { int seconds, range, position; const char* shown; } cases[] = {
        {3780, 3, 4, "01:00:00"}, {600, 2, 10, "00:10:00"}, {3600, 3, 4, "01:00:00"}, {59, 0, 59, "00:00:59"}};
    for (auto c : cases) {
        load(convertTime(c.seconds));
        openSlider();
        EXPECT_EQ(combo()->currentIndex(), c.range) << c.seconds;
        EXPECT_EQ(slider()->position(), c.position) << c.seconds;
        EXPECT_EQ(holdText(), c.shown) << c.seconds;
        h->click("bTHoldCancel");
    }
}

TEST_F(LstPanelTest, RangeChoiceRoundsToTheNearestStepHalvesUp)
{
    const struct { int seconds, range; const char* shown; int position; } cases[] = {
        {45, 1, "00:00:50", 5}, {5400, 2, "01:00:00", 60}, {600, 0, "00:01:00", 60}, {420, 3, "0", 0},
        {450, 3, "00:15:00", 1}};
    for (auto c : cases) {
        load(convertTime(c.seconds));
        openSlider();
        chooseRange("combHold", c.range);
        EXPECT_EQ(holdText(), c.shown) << c.seconds;
        EXPECT_EQ(slider()->position(), c.position) << c.seconds;
        h->click("bTHoldCancel");
    }
}

TEST_F(LstPanelTest, OkWritesOnlyTheHoldTime)
{
    load(convertTime(300));
    Bytes expected = h->image();
    EXPECT_EQ(label("lHold"), "00:05:00");
    clickOnScreen("lHold");
    h->click("eHoldTime");
    chooseRange("combHold", 3);
    slider()->setPosition(60);
    h->click("bTHoldOK");
    expected[img::holdTime] = 252;
    EXPECT_EQ(h->image(), expected);
    EXPECT_EQ(h->find<QLabel>("lHold")->text(), "15:00:00");
    EXPECT_FALSE(h->shown("pTHold"));

    // The off switch opens the panel; OK with "0" shows it off again.
    clickOnScreen("sw_hold_on");
    clickOnScreen("sw_hold_off");
    EXPECT_FALSE(h->shown("pHoldTime"));
    EXPECT_EQ(holdText(), "0");
    h->click("bTHoldOK");
    expected[img::holdTime] = 0;
    EXPECT_EQ(h->image(), expected);
    EXPECT_TRUE(holdShowsOff());
}

TEST_F(LstPanelTest, StoredTimesAreKeptUntilChanged)
{
    // 253..255 lie beyond the slider's 15:00:00.
    const char* texts[] = {"15:15:00", "15:30:00", "15:45:00"};
    for (int code = 253; code <= 255; ++code) {
        load(code);
        openSlider();
        EXPECT_EQ(holdText(), texts[code - 253]);
        EXPECT_EQ(slider()->position(), 60);
        chooseRange("combHold", 3);
        h->click("bTHoldOK");
        EXPECT_EQ(h->image()[img::holdTime], code);
        openSlider(60);
        slider()->setPosition(59);
        slider()->setPosition(60);
        h->click("bTHoldOK");
        EXPECT_EQ(h->image()[img::holdTime], 252);
    }
    for (int code = 1; code < 256; ++code) {
        load(code);
        clickOnScreen("iTHold_en");
        h->click("bTHoldOK");
        EXPECT_EQ(DecodeTime(h->image()[img::holdTime]), DecodeTime(code)) << code;
    }
}
