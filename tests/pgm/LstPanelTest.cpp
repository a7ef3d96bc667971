// The LST switch and polarity tile, the hold switch and tile, and the hold
// time panel with its slider and range selector.

#include "ScreenClick.h"

#include "image/TimeCodes.h"
#include "pgm/SliderStrip.h"

#include <QSignalBlocker>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr std::uint8_t lstBit = 1 << img::bitLstEnable;

struct LstPanelTest : ::testing::Test {
    std::unique_ptr<FormHarness> h = FormHarness::started();

    // The default image with a hold time (as a time code) and the LST timer
    // on or off.
    void load(std::uint8_t holdCode, bool lstOn = true)
    {
        Bytes e(defaultImage.begin(), defaultImage.end());
        e[img::holdTime] = holdCode;
        e[img::featureFlags] = lstOn ? (e[img::featureFlags] | lstBit) : (e[img::featureFlags] & ~lstBit);
        std::copy(e.begin(), e.end(), h->image().begin());
        h->form->setDisplay();
    }
    QString holdText() { return h->find<QLineEdit>("eHoldTime")->text(); }
    ScrollBar* slider() { return h->find<ScrollBar>("sbHold"); }
    QComboBox* combo() { return h->find<QComboBox>("combHold"); }
    // Opens the panel from the tile and the slider from the edit; the
    // slider stands where an earlier use left it.
    void openSlider(int leftAt = 30)
    {
        {
            const QSignalBlocker earlierUse(slider());
            slider()->setPosition(leftAt);
        }
        clickOnScreen(*h, "iTHold_en");
        h->click("eHoldTime");
    }
    bool holdSwitchShowsOff() { return h->shown("sw_hold_off") && h->shown("HOLD_dis") && !h->shown("lHold"); }
};

} // namespace

TEST_F(LstPanelTest, SwitchingTheTimerOnStartsWithTheHoldTimeOff)
{
    load(convertTime(300), false);
    Bytes expected = h->image();
    expected[img::featureFlags] |= lstBit;
    expected[img::holdTime] = 0;

    clickOnScreen(*h, "sw_lst_open");
    EXPECT_EQ(h->image(), expected);
    EXPECT_FALSE(h->shown("LST_dis"));
    EXPECT_FALSE(h->shown("dm2_dis"));
    EXPECT_FALSE(h->shown("SW_hold_dis"));
    EXPECT_TRUE(holdSwitchShowsOff());
}

TEST_F(LstPanelTest, SwitchingTheTimerOffKeepsTheHoldTime)
{
    load(convertTime(300));
    Bytes expected = h->image();
    expected[img::featureFlags] &= ~lstBit;

    clickOnScreen(*h, "SW_lst_close");
    EXPECT_EQ(h->image(), expected);
    for (const char* grey : {"LST_dis", "SW_hold_dis", "HOLD_dis", "sw_lst_open", "dm2_dis"})
        EXPECT_TRUE(h->shown(grey)) << grey;
}

TEST_F(LstPanelTest, PolarityTileTogglesTheInvertBit)
{
    clickOnScreen(*h, "iLst_en");
    EXPECT_TRUE(TestBit(h->image()[img::featureFlags], img::bitLstInvert));
    EXPECT_TRUE(h->shown("iLST_pol"));
    EXPECT_FALSE(h->shown("iLst_en"));
    clickOnScreen(*h, "iLST_pol");
    EXPECT_FALSE(TestBit(h->image()[img::featureFlags], img::bitLstInvert));
    EXPECT_TRUE(h->shown("iLst_en"));

    // While the timer is off the grey tile takes the click.
    load(0, false);
    const Bytes before = h->image();
    clickOnScreen(*h, "iLst_en");
    EXPECT_EQ(h->image(), before);
}

TEST_F(LstPanelTest, RemoteDimKeepsTheTimerFromSwitchingOn)
{
    load(0, false);
    h->form->state().remoteDim = true;
    const Bytes before = h->image();
    clickOnScreen(*h, "sw_lst_open");
    EXPECT_EQ(h->image(), before);
    EXPECT_TRUE(h->shown("LST_dis"));
}

TEST_F(LstPanelTest, BusyWindowBlocksEveryHandler)
{
    const auto names = {"LST_dis", "sw_lst_open", "iLst_en", "iLST_pol", "HOLD_dis", "sw_hold_off", "lHold",
                        "pTHold", "dm2_dis"};
    for (bool lstOn : {false, true}) {
        for (std::uint8_t hold : {0, 70}) {
            load(hold, lstOn);
            h->form->state().formDisabled = true;
            const Bytes before = h->image();
            const auto shownBefore = visibility(*h, names);
            for (const char* n : {"sw_lst_open", "SW_lst_close", "iLst_en", "iLST_pol", "sw_hold_off",
                                  "sw_hold_on", "iTHold_en", "lHold"})
                h->click(n);
            EXPECT_EQ(h->image(), before);
            EXPECT_EQ(visibility(*h, names), shownBefore);
            h->form->state().formDisabled = false;
        }
    }
}

TEST_F(LstPanelTest, HoldTimeOpensInTheRangeThatHoldsIt)
{
    struct {
        int seconds, range, position;
        const char* shown; // after the slider moved there
    } cases[] = {
        {3780, 3, 4, "01:00:00"}, // between two steps: the step below
        {600, 2, 10, "00:10:00"},
        {3600, 3, 4, "01:00:00"},
        {59, 0, 59, "00:00:59"},
    };
    for (auto c : cases) {
        load(convertTime(c.seconds));
        openSlider();
        EXPECT_TRUE(h->shown("pHoldTime"));
        EXPECT_TRUE(h->shown("combHold"));
        EXPECT_EQ(combo()->currentIndex(), c.range) << c.seconds;
        EXPECT_EQ(slider()->position(), c.position) << c.seconds;
        EXPECT_EQ(holdText(), c.shown) << c.seconds;
        h->click("bTHoldCancel");
    }
    EXPECT_EQ(combo()->itemText(0), "->00:01:00");
    EXPECT_EQ(combo()->itemText(3), "->15:00:00");
}

TEST_F(LstPanelTest, RangeChoiceRoundsToTheNearestStep)
{
    struct {
        int seconds, range;
        const char* shown;
        int position;
    } cases[] = {
        {45, 1, "00:00:50", 5},   // a half step rounds up
        {5400, 2, "01:00:00", 60}, // above the range: its top
        {600, 0, "00:01:00", 60},
        {420, 3, "0", 0},          // below 00:07:30: off
        {450, 3, "00:15:00", 1},
    };
    for (auto c : cases) {
        load(convertTime(c.seconds));
        openSlider();
        chooseItem(combo(), c.range);
        EXPECT_EQ(holdText(), c.shown) << c.seconds;
        EXPECT_EQ(slider()->position(), c.position) << c.seconds;
        h->click("bTHoldCancel");
    }
}

TEST_F(LstPanelTest, OkStoresTheTimeCodeAndNothingElse)
{
    load(convertTime(3600));
    openSlider();
    slider()->setPosition(60);
    ASSERT_EQ(holdText(), "15:00:00");
    Bytes expected = h->image();
    expected[img::holdTime] = 252;
    h->click("bTHoldOK");
    EXPECT_EQ(h->image(), expected);
    EXPECT_EQ(h->find<QLabel>("lHold")->text(), "15:00:00");
    EXPECT_TRUE(h->shown("lHold"));
    EXPECT_FALSE(h->shown("pTHold"));
    EXPECT_FALSE(h->form->state().formDisabled);
}

TEST_F(LstPanelTest, HoldSwitchOpensThePanelAndOkWithZeroTurnsItOffAgain)
{
    load(0);
    const Bytes before = h->image();
    clickOnScreen(*h, "sw_hold_off");
    EXPECT_TRUE(h->shown("pTHold"));
    EXPECT_FALSE(h->shown("pHoldTime"));
    EXPECT_EQ(holdText(), "0");
    EXPECT_FALSE(h->shown("sw_hold_off"));
    h->click("bTHoldOK");
    EXPECT_EQ(h->image(), before);
    EXPECT_TRUE(holdSwitchShowsOff());

    // The "on" switch turns a stored time off at once.
    load(70);
    clickOnScreen(*h, "sw_hold_on");
    EXPECT_EQ(h->image()[img::holdTime], 0);
    EXPECT_TRUE(holdSwitchShowsOff());
}

TEST_F(LstPanelTest, CancelLeavesTheStoredTime)
{
    load(convertTime(300));
    const Bytes before = h->image();
    clickOnScreen(*h, "lHold");
    h->click("eHoldTime");
    slider()->setPosition(1);
    ASSERT_NE(holdText(), "00:05:00");
    h->click("bTHoldCancel");
    EXPECT_EQ(h->image(), before);
    EXPECT_EQ(h->find<QLabel>("lHold")->text(), "00:05:00");
    EXPECT_FALSE(h->shown("pHoldTime"));

    // Cancel after the off switch opened the panel shows the switch off.
    load(0);
    clickOnScreen(*h, "sw_hold_off");
    h->click("eHoldTime");
    slider()->setPosition(20);
    h->click("bTHoldCancel");
    EXPECT_EQ(h->image()[img::holdTime], 0);
    EXPECT_TRUE(holdSwitchShowsOff());
}

TEST_F(LstPanelTest, TimesBeyondTheSliderAreKeptUntilChanged)
{
    const char* texts[] = {"15:15:00", "15:30:00", "15:45:00"};
    for (int code = 253; code <= 255; ++code) {
        load(static_cast<std::uint8_t>(code));
        const QString stored = texts[code - 253];
        EXPECT_EQ(h->find<QLabel>("lHold")->text(), stored);
        openSlider();
        EXPECT_EQ(holdText(), stored);
        EXPECT_EQ(slider()->position(), 60);
        chooseItem(combo(), 3);
        EXPECT_EQ(holdText(), stored);
        h->click("bTHoldOK");
        EXPECT_EQ(h->image()[img::holdTime], code);

        openSlider(60);
        slider()->setPosition(59);
        slider()->setPosition(60);
        EXPECT_EQ(holdText(), "15:00:00");
        h->click("bTHoldOK");
        EXPECT_EQ(h->image()[img::holdTime], 252);
    }
}

TEST_F(LstPanelTest, OkWithoutAChangeKeepsEveryStoredDuration)
{
    for (int code = 1; code < 256; ++code) {
        load(static_cast<std::uint8_t>(code));
        clickOnScreen(*h, "iTHold_en");
        h->click("bTHoldOK");
        EXPECT_EQ(DecodeTime(h->image()[img::holdTime]), DecodeTime(code)) << code;
    }
}
