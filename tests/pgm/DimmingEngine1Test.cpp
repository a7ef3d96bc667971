// Dimming engine 1: the time-of-day steps of ISD.

#include "DimmingEngineTest.h"

#include "image/TimeCodes.h"

using namespace nolt;
using namespace nolt::test;

namespace {

QString n(const char* prefix, int step)
{
    return QString::fromLatin1(prefix) + QString::number(step);
}

} // namespace

TEST_F(DimmingEngineTest, Engine1OpensTheDefaultStepsAndOkWritesThemBack)
{
    const Bytes before = h->image();
    click("iISD1_en");
    ASSERT_TRUE(shown("pDimmer1"));
    EXPECT_TRUE(h->form->state().formDisabled);
    struct { int step; const char* time; const char* level; bool used, enabled; } rows[] = {
        {1, "22:00:00", "50", true, true},   {2, "05:00:00", "100", true, true}, {3, "00:00:00", "-", false, true},
        {4, "00:00:00", "-", false, false}, {10, "00:00:00", "-", false, false},
    };
    for (auto r : rows) {
        EXPECT_EQ(text(n("eD1_Time", r.step)), r.time) << r.step;
        EXPECT_EQ(text(n("eD1_Fade", r.step)), "0") << r.step;
        EXPECT_EQ(text(n("eD1_Level", r.step)), r.level) << r.step;
        EXPECT_EQ(colour(n("ED1_gb", r.step)), bgr(r.used ? clMoneyGreen : clSilver)) << r.step;
        EXPECT_EQ(enabled(n("ED1_gb", r.step)), r.enabled) << r.step;
    }
    EXPECT_TRUE(ticked("rbD1_On1"));
    EXPECT_TRUE(ticked("rbD1_On2"));
    EXPECT_TRUE(shown("lDelete"));
    EXPECT_TRUE(shown("ED1_cbDel2"));
    for (int k = 3; k <= 10; ++k)
        EXPECT_FALSE(shown(n("ED1_cbDel", k))) << k;
    EXPECT_FALSE(shown("pD1Slider"));

    click("bDimmer1_OK");
    EXPECT_EQ(h->image(), before);
    EXPECT_FALSE(shown("pDimmer1"));
    EXPECT_FALSE(h->form->state().formDisabled);
}

TEST_F(DimmingEngineTest, Engine1TimeSliderRunsFromThreeInTheAfternoonToNineInTheMorning)
{
    click("iISD1_en");
    click("eD1_Level3"); // adds step 3, row 4 becomes the empty row
    click("eD1_Level4");
    struct { int step, position; const char* time; } cases[] = {
        {1, 20, "15:00:00"}, {2, 104, "22:00:00"}, {3, 188, "05:00:00"}, {4, 236, "09:00:00"}};
    for (auto c : cases) {
        click(n("eD1_Time", c.step));
        EXPECT_EQ(sliderTag(get<ScrollBar>("sbD1")), c.step * 16 + kindTimeOfDay);
        EXPECT_TRUE(shown("pD1Slider"));
        EXPECT_FALSE(shown("comboD1"));
        EXPECT_TRUE(get<ClickEdit>(n("eD1_Time", c.step))->isEdited());
        slide("sbD1", c.position);
        EXPECT_EQ(text(n("eD1_Time", c.step)), c.time);
    }
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), stepList({0x94, 0, 0x32, 0xE8, 0, 0x64, 0x3C, 0, 0x64, 0x6C, 0, 0x64}));
}

TEST_F(DimmingEngineTest, Engine1StepNotLaterThanTheOneBeforeEndsTheList)
{
    const Bytes defaults = stepList({0xE8, 0, 0x32, 0x3C, 0, 0x64});
    // A step added and left at 00:00:00 lies before 05:00.
    click("iISD1_en");
    click("eD1_Level3");
    EXPECT_EQ(colour("ED1_gb3"), bgr(clMoneyGreen));
    EXPECT_TRUE(shown("ED1_cbDel3"));
    EXPECT_TRUE(enabled("ED1_gb4"));
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), defaults);

    // 23:00 after 05:00 goes, and so does the later step behind it.
    click("iISD1_en");
    click("eD1_Level3");
    click("eD1_Time3");
    slide("sbD1", 116);
    EXPECT_EQ(text("eD1_Time3"), "23:00:00");
    click("eD1_Level4");
    click("eD1_Time4");
    slide("sbD1", 200);
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), defaults);

    // The same time twice: the second goes.
    click("iISD1_en");
    click("eD1_Level3");
    click("eD1_Time3");
    slide("sbD1", 188);
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), defaults);
}

TEST_F(DimmingEngineTest, Engine1LevelSliderSetsTheRelay)
{
    click("iISD1_en");
    click("eD1_Level1");
    EXPECT_EQ(sliderTag(get<ScrollBar>("sbD1")), 1 * 16 + kindLevel);
    slide("sbD1", 0);
    EXPECT_TRUE(ticked("rbD1_Off1"));
    click("eD1_Level2");
    slide("sbD1", 30);
    EXPECT_TRUE(ticked("rbD1_On2"));
    click("rbD1_Off2"); // a level above 0 with the relay off: "Off" after the level
    click("bDimmer1_OK");
    EXPECT_EQ(h->image()[img::dim1FirstLevel], 0x80);
    EXPECT_EQ(h->image()[img::dim1FirstLevel + 3], 0x9E);

    click("iISD1_en");
    EXPECT_TRUE(ticked("rbD1_Off2"));
    EXPECT_EQ(text("eD1_Level2"), "30");
}

TEST_F(DimmingEngineTest, Engine1FadeInTheLongestRange)
{
    click("iISD1_en");
    click("eD1_Fade1");
    EXPECT_EQ(sliderTag(get<ScrollBar>("sbD1")), 1 * 16 + kindFade);
    ASSERT_TRUE(shown("comboD1"));
    EXPECT_EQ(get<QComboBox>("comboD1")->itemText(3), "-> 36,000");
    choose("comboD1", 3);
    slide("sbD1", 7);
    EXPECT_EQ(text("eD1_Fade1"), "04,200");
    click("bDimmer1_OK");
    EXPECT_EQ(h->image()[img::dim1Steps + img::stepFade], 196);
    click("iISD1_en");
    EXPECT_EQ(text("eD1_Fade1"), "03,600");
}

TEST_F(DimmingEngineTest, Engine1DeleteRemovesTheStepAndAllAfterIt)
{
    click("iISD1_en");
    click("eD1_Level3");
    click("ED1_cbDel2");
    EXPECT_FALSE(ticked("ED1_cbDel2"));
    EXPECT_EQ(text("eD1_Level2"), "-");
    EXPECT_EQ(colour("ED1_gb2"), bgr(clSilver));
    EXPECT_TRUE(enabled("ED1_gb2"));
    EXPECT_FALSE(enabled("ED1_gb3"));
    EXPECT_FALSE(shown("ED1_cbDel2"));
    EXPECT_FALSE(shown("ED1_cbDel3"));
    EXPECT_FALSE(shown("lDelete"));
    EXPECT_FALSE(shown("pD1Slider"));
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), stepList({0xE8, 0, 0x32}));
}

TEST_F(DimmingEngineTest, Engine1CancelWritesNothing)
{
    const Bytes before = h->image();
    click("iISD1_en");
    click("eD1_Time1");
    slide("sbD1", 30);
    click("ED1_cbDel2");
    click("bDimmer1_Cancel");
    EXPECT_EQ(h->image(), before);
    EXPECT_FALSE(h->form->state().formDisabled);
    EXPECT_FALSE(get<ClickEdit>("eD1_Time1")->isEdited());
    click("iISD1_en");
    EXPECT_EQ(text("eD1_Time1"), "22:00:00");
    EXPECT_EQ(text("eD1_Level2"), "100");
}

TEST_F(DimmingEngineTest, Engine1OkChangesOnlyItsOwnBytes)
{
    const Bytes before = h->image();
    click("iISD1_en");
    click("eD1_Level3");
    click("eD1_Time3");
    slide("sbD1", 220);
    click("eD1_Fade2");
    choose("comboD1", 2);
    slide("sbD1", 12);
    click("bDimmer1_OK");
    expectOthersUnchanged(before, img::dim1Steps);
    const auto fade720 = static_cast<std::uint8_t>(convertTime(720)); // 00,720
    EXPECT_EQ(steps(img::dim1Steps), stepList({0xE8, 0, 0x32, 0x3C, fade720, 0x64, 0x5C, 0, 0x64}));
}

TEST_F(DimmingEngineTest, Engine1HelpAndBusyWindow)
{
    h->form->state().formDisabled = true;
    click("iISD1_en");
    EXPECT_FALSE(shown("pDimmer1")) << "another panel is open";
    h->form->state().formDisabled = false;

    click("iISD1_en");
    click("bHelpD1a");
    EXPECT_TRUE(shown("pHelpD1a"));
    EXPECT_EQ(get("pDimmer1")->height(), 497);
    click("Image3");
    EXPECT_FALSE(shown("pHelpD1a"));
    EXPECT_EQ(get("pDimmer1")->height(), 490);

    // A click on the overlay beside the picture closes it too.
    click("bHelpD1a");
    QTest::mouseClick(get("pHelpD1a"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(shown("pHelpD1a"));
    EXPECT_TRUE(shown("pDimmer1"));
}
