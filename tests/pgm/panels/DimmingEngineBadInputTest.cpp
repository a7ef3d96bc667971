// Steps that the editors never write themselves, as files and devices may
// hold them: shown, kept where possible, never failing.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

// 14:20 and 10:00 (outside the slider's night), fade codes 253 and 255,
// levels 120 and 126 (relay off), then a gap and a step behind it.
TEST_F(DimmingEngineTest, Engine1ShowsAndKeepsOddStepsAndDropsThoseBehindAGap)
{
    load(img::dim1Steps, stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE, 0x00, 0x00, 0xFF, 0x3C, 0x00, 0x64}));
    open();
    expectTexts({{"eD1_Time1", "14:20:00"}, {"eD1_Fade1", "54,900"}, {"eD1_Level1", "120"}, {"eD1_Time2", "10:00:00"},
                 {"eD1_Fade2", "56,700"}, {"eD1_Level2", "126"}, {"eD1_Time4", "00:00:00"}, {"eD1_Level4", "-"}});
    EXPECT_TRUE(ticked("rbD1_Off2") && enabled(3) && !enabled(4));
    ok();
    EXPECT_EQ(steps(), stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE}));

    // Opened, a field puts its slider in range: times at the nearer end of
    // the night, the level at 100.
    open();
    click("eD1_Fade1");
    EXPECT_EQ(h->find<QComboBox>("comboD1")->currentIndex(), 3);
    EXPECT_EQ(position(), 60);
    for (auto [field, text] : {std::pair{"eD1_Time1", "15:00:00"}, {"eD1_Time2", "09:00:00"}, {"eD1_Level1", "100"}}) {
        click(field);
        EXPECT_EQ(edit(field), text);
    }
    EXPECT_EQ(position(), 100);
}

// Delay codes 253 and 255 (beyond the slider's 15:00:00), fade codes 255 and
// 254, level 127, then a gap and a step behind it.
TEST_F(DimmingEngineTest, Engine2KeepsLongCodesAndNeverStoresAUsedStepAsEmpty)
{
    e = engine2;
    load(img::dim2Steps, stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64, 0x00, 0x00, 0xFF, 0x0A, 0x00, 0x64}));
    open();
    expectTexts({{"eD2_Delay1", "15:15:00"}, {"eD2_Fade1", "56,700"}, {"eD2_Level1", "127"}, {"eD2_Delay2", "15:45:00"},
                 {"eD2_Fade2", "55,800"}, {"eD2_Delay4", "0"}, {"eD2_Level4", "-"}});
    EXPECT_TRUE(enabled(3) && !enabled(4));
    click("eD2_Delay2"); // a click alone keeps the delay; the slider stands at its end
    EXPECT_EQ(h->find<QComboBox>("comboD2")->currentIndex(), 3);
    EXPECT_EQ(position(), 60);
    EXPECT_EQ(edit("eD2_Delay2"), "15:45:00");
    ok();
    EXPECT_EQ(steps(), stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64}));

    // Level 127 with the relay off would be the empty-step byte and drop
    // step 2: it is stored as 100 with the relay off.
    open();
    click("rbD2_Off1");
    ok();
    EXPECT_EQ(steps(), stepList({0xFD, 0xFF, 0xE4, 0xFF, 0xFE, 0x64}));
    EXPECT_TRUE(TestBit(image()[img::featureFlags], img::bitLstEnable));
}

TEST_F(DimmingEngineTest, MinimumLevelAbove100LeavesOnlyFullLevel)
{
    load({{img::minLevel, 150}});
    e = engine2;
    open();
    click("eD2_Level1");
    EXPECT_EQ(slider("sbD2")->minimum(), 100);
    EXPECT_EQ(position(), 100);
    EXPECT_EQ(edit("eD2_Level1"), "100");
    click("eD2_Level2");
    EXPECT_EQ(edit("eD2_Level2"), "100");
}
