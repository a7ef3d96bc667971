// The power-on panel: the shared slider editor's ranges, the random delay, the DPC box and the level's limits.

#include "PanelTesting.h"

#include <QStyle>
#include <QStyleOptionSlider>

using PowerOnPanelTest = PanelTest;

// A duration opens in the range that holds it; choosing a range rounds to its nearest step, halves up, and
// ranges 0..2 end at their top.
TEST_F(PowerOnPanelTest, SliderRangesHoldTheDurationAndRoundHalvesUp)
{
    play({{{{img::poDelay, 59}},
           {"iTDpc_en", "ePORelayDelay", "?pPOSlider", "combRange==0", "sbPU==59", "bDPC_Cancel"}},
          {{{img::poDelay, 60}}, {"iTDpc_en", "!pPOSlider", "ePORelayDelay", "ePORelayDelay==00:01:00",
                                  "combRange==1", "sbPU==6", "bDPC_Cancel"}},
          {{{img::poDelay, 0x7C}}, // 600 s
           {"iTDpc_en", "ePORelayDelay", "combRange==2", "sbPU==10", "combRange=0", "ePORelayDelay==00:01:00",
            "sbPU==60", "bDPC_Cancel"}},
          {{{img::poDelay, 0xC6}}, // 5400 s
           {"iTDpc_en", "ePORelayDelay", "combRange=2", "ePORelayDelay==01:00:00", "sbPU==60", "bDPC_Cancel"}},
          {{{img::poDelay, 0x6A}}, {"iTDpc_en", "ePORelayDelay", "combRange=3", "ePORelayDelay==0", "bDPC_Cancel"}},
          {{{img::poDelay, 0x6D}}, // 450 s
           {"iTDpc_en", "ePORelayDelay", "combRange=3", "ePORelayDelay==00:15:00", "sbPU==1", "bDPC_Cancel"}},
          {{{img::poFade, 0x80 | 60}},
           {"iTDpc_en", "ePOFade", "ePOFade==03,600", "combRange==3", "sbPU==6", "bDPC_Cancel"}},
          {{{img::poFade, 45}}, {"iTDpc_en", "ePOFade", "combRange=1", "ePOFade==00,050", "sbPU==5", "bDPC_Cancel"}}});
    // A fade of 00,125, between two steps of range 1, keeps its text until a range is chosen; halves round up.
    load({{img::poDelay, 10}});
    act({"iTDpc_en", "ePORelayDelay"});
    h->find<QLineEdit>("ePOFade")->setText("00,125");
    act({"ePOFade", "ePOFade==00,125", "combRange=1", "ePOFade==00,130", "sbPU==13"});
    EXPECT_EQ(h->find<QComboBox>("combRange")->count(), 4) << "each click on an edit lists the four ranges anew";
}

TEST_F(PowerOnPanelTest, RandomIsWrittenAtOnceAndCancelShowsIt)
{
    load({{img::poDelay, 10}});
    act({"iTDpc_en", "cbRandom==-", "ePORelayDelay", "cbRandom+", "ePORelayDelay==Random", "!pPOSlider"});
    EXPECT_EQ(image()[img::poDelay], 0xFF);
    act({"bDPC_Cancel", "lPO_Delay==D=Random", "iTDpc_en", "cbRandom==+", "cbRandom-"});
    EXPECT_EQ(image()[img::poDelay], 0);
    act({"ePORelayDelay==0", "cbEnableDPC==-"});
    EXPECT_FALSE(h->find("cbEnableDPC")->isEnabled());
    act({"bDPC_Cancel", "lPO_Delay==D=0"});
    EXPECT_EQ(image()[img::poDelay], 0);
}

TEST_F(PowerOnPanelTest, DpcNeedsADelay)
{
    const struct { std::uint8_t delay; Steps steps; bool enabled; } cases[] = {
        {0, {"cbEnableDPC==-"}, false},
        {5, {"cbEnableDPC==+", "ePORelayDelay", "sbPU=0", "cbEnableDPC==-"}, false},
        {5, {"ePORelayDelay", "sbPU=0", "sbPU=3", "cbEnableDPC==-"}, true},
    };
    for (const auto& c : cases) {
        load({{img::poDelay, c.delay}, {img::optionFlags, 0x02}});
        act({"iTDpc_en"});
        act(c.steps);
        EXPECT_EQ(h->find("cbEnableDPC")->isEnabled(), c.enabled) << c.steps.size();
        act({"bDPC_OK"});
        EXPECT_EQ(image()[img::optionFlags], 0);
    }
}

// The track beside the thumb moves the slider one step; the arrows and the thumb move it as in any scroll bar.
// Where each part lies is asked of the style.
TEST_F(PowerOnPanelTest, TrackArrowsAndThumbMoveTheSlider)
{
    load({{img::poDelay, 30}});
    act({"iTDpc_en", "ePORelayDelay"});
    ScrollBar* sb = slider("sbPU");
    const auto centre = [sb](QStyle::SubControl part) {
        QStyleOptionSlider o;
        o.initFrom(sb);
        o.orientation = Qt::Horizontal;
        o.maximum = sb->maximum();
        o.sliderPosition = sb->position();
        return sb->style()->subControlRect(QStyle::CC_ScrollBar, &o, part, sb).center();
    };
    const std::pair<QStyle::SubControl, const char*> clicks[] = {{QStyle::SC_ScrollBarAddPage, "00:00:31"},
        {QStyle::SC_ScrollBarAddLine, "00:00:32"}, {QStyle::SC_ScrollBarSubPage, "00:00:31"},
        {QStyle::SC_ScrollBarSubLine, "00:00:30"}};
    for (const auto& [part, shows] : clicks) {
        EXPECT_EQ(clickAt(sb, centre(part)), "");
        EXPECT_EQ(edit("ePORelayDelay"), shows) << part;
    }
    const QPoint thumb = centre(QStyle::SC_ScrollBarSlider);
    QTest::mousePress(sb, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(sb, thumb + QPoint(sb->width(), 0));
    QTest::mouseRelease(sb, Qt::LeftButton, {}, thumb + QPoint(sb->width(), 0));
    EXPECT_EQ(edit("ePORelayDelay"), "00:01:00") << "the thumb dragged to the end";
}

// Unticking Random gives the delay back to the slider and takes the DPC tick with it: without a delay there is
// nothing to delay.
TEST_F(PowerOnPanelTest, UntickingRandomUnticksDpc)
{
    load({{img::poDelay, 10}});
    act({"iTDpc_en", "cbRandom+", "cbEnableDPC+"});
    EXPECT_FALSE(h->find("ePORelayDelay")->isEnabled());
    act({"cbRandom-", "cbEnableDPC==-", "ePORelayDelay==0"});
    EXPECT_TRUE(h->find("ePORelayDelay")->isEnabled());
    act({"bDPC_OK"});
    EXPECT_EQ(image()[img::poDelay], 0);
}

// The field the slider edits is the one marked; a click on another moves the mark.
TEST_F(PowerOnPanelTest, TheClickedFieldIsMarked)
{
    load({{img::poDelay, 10}});
    act({"iTDpc_en", "ePOFade"});
    EXPECT_TRUE(edited("ePOFade") && !edited("ePORelayDelay") && !edited("ePOLevel"));
    act({"ePOLevel"});
    EXPECT_TRUE(edited("ePOLevel") && !edited("ePOFade") && !edited("ePORelayDelay"));
    act({"bDPC_Cancel", "iTDpc_en"});
    EXPECT_FALSE(edited("ePOLevel")) << "Cancel takes the mark away";
    act({"bDPC_Cancel"});
}

// Each opening shows the range of the stored delay and enables DPC by it; a level has no range selector.
TEST_F(PowerOnPanelTest, OpeningShowsTheDelaysRangeAndEnablesDpcByIt)
{
    play({{{{img::poDelay, 0xC6}}, // 5400 s
           {"iTDpc_en", "ePORelayDelay", "combRange==3", "?combRange", "ePOLevel", "!combRange", "bDPC_Cancel"}},
          {{{img::poDelay, 0}}, {"iTDpc_en", "bDPC_Cancel"}}});
    EXPECT_FALSE(h->find("cbEnableDPC")->isEnabled()) << "no delay";
    play({{{{img::poDelay, 10}}, {"iTDpc_en", "bDPC_Cancel"}}});
    EXPECT_TRUE(h->find("cbEnableDPC")->isEnabled());
}

// A random delay read from the image shows ticked, as often as it is read, and the next image without one
// shows its delay and level again.
TEST_F(PowerOnPanelTest, OpeningShowsARandomDelayFromTheImage)
{
    play({{{{img::poDelay, 0xFF}, {img::poLevel, 35}}, {"iTDpc_en", "cbRandom==+", "ePORelayDelay==Random",
                                                         "ePOLevel==35", "bDPC_Cancel"}},
          {{{img::poDelay, 0xFF}}, {"iTDpc_en", "cbRandom==+", "bDPC_Cancel"}},
          {{{img::poDelay, 10}, {img::poLevel, 60}}, {"iTDpc_en", "cbRandom==-", "ePORelayDelay==00:00:10",
                                                       "ePOLevel==60", "bDPC_Cancel"}},
          // Random with no delay before gives DPC a delay to wait for.
          {{{img::poDelay, 0}, {img::optionFlags, 0}}, {"iTDpc_en", "cbRandom+", "cbEnableDPC+", "bDPC_OK"},
           {{img::poDelay, 0xFF}, {img::optionFlags, 0x02}}}});
}

// A screen refreshed while the panel is open (a stick read does so) ticks Random when the new image holds it.
TEST_F(PowerOnPanelTest, ARefreshWhileOpenShowsARandomDelay)
{
    load({{img::poDelay, 10}});
    act({"iTDpc_en", "cbRandom==-"});
    load({{img::poDelay, 0xFF}});
    act({"?pStartupDelay", "cbRandom==+", "ePORelayDelay==Random", "bDPC_Cancel"});
    EXPECT_EQ(image()[img::poDelay], 0xFF);
}
