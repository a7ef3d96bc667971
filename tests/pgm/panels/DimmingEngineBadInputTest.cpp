// Images that the editors never write themselves, as files and devices may
// hold them: the editors show them, keep what they can and never fail.

#include "DimmingEngineTest.h"

using namespace nolt;
using namespace nolt::test;

TEST_F(DimmingEngineTest, Engine1ShowsAndKeepsOddStepsAndDropsThoseBehindAGap)
{
    // 14:20 and 10:00 (outside the slider's night), fade codes 253 and 255,
    // levels 120 and 126 (relay off), then a gap and a step behind it.
    load(img::dim1Steps, stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE, 0x00, 0x00, 0xFF, 0x3C, 0x00, 0x64}));
    click("iISD1_en");
    expectTexts({{"eD1_Time1", "14:20:00"}, {"eD1_Fade1", "54,900"}, {"eD1_Level1", "120"},
                 {"eD1_Time2", "10:00:00"}, {"eD1_Fade2", "56,700"}, {"eD1_Level2", "126"},
                 {"eD1_Level4", "-"}});
    EXPECT_TRUE(ticked("rbD1_Off2"));
    EXPECT_TRUE(enabled("ED1_gb3") && !enabled("ED1_gb4"));
    click("bDimmer1_OK");
    EXPECT_EQ(steps(img::dim1Steps), stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE}));

    // Opening the fields puts the slider inside its range: the times move
    // to the nearer end of the night, the level to 100.
    click("iISD1_en");
    click("eD1_Fade1");
    EXPECT_EQ(h->find<QComboBox>("comboD1")->currentIndex(), 3);
    EXPECT_EQ(slider("sbD1")->position(), 60);
    const std::pair<const char*, const char*> opened[] = {
        {"eD1_Time1", "15:00:00"}, {"eD1_Time2", "09:00:00"}, {"eD1_Level1", "100"}};
    for (auto [field, text] : opened) {
        click(field);
        EXPECT_EQ(edit(field), text);
    }
    EXPECT_EQ(slider("sbD1")->position(), 100);
}

TEST_F(DimmingEngineTest, Engine2KeepsLongCodesAndNeverStoresAUsedStepAsEmpty)
{
    // Delay codes 253 and 255, fade codes 255 and 254, level 127.
    const Bytes odd = stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64});
    load(img::dim2Steps, odd);
    click("iISD2_en");
    expectTexts({{"eD2_Delay1", "15:15:00"}, {"eD2_Fade1", "56,700"}, {"eD2_Level1", "127"},
                 {"eD2_Delay2", "15:45:00"}, {"eD2_Fade2", "55,800"}});
    click("eD2_Delay2");
    EXPECT_EQ(h->find<QComboBox>("comboD2")->currentIndex(), 3);
    EXPECT_LE(slider("sbD2")->position(), 60);
    click("bDimmer2Cancel");

    click("iISD2_en");
    click("bDimmer2OK");
    EXPECT_EQ(steps(img::dim2Steps), odd);

    // Level 127 with the relay off would be the empty-step byte and would
    // drop step 2 behind it: it is stored as 100 % with the relay off.
    click("iISD2_en");
    click("rbD2_Off1");
    click("bDimmer2OK");
    EXPECT_EQ(steps(img::dim2Steps), stepList({0xFD, 0xFF, 0xE4, 0xFF, 0xFE, 0x64}));
    EXPECT_TRUE(TestBit(image()[img::featureFlags], img::bitLstEnable));
}

TEST_F(DimmingEngineTest, Engine2DropsAStepBehindAGap)
{
    load(img::dim2Steps, stepList({0x00, 0x00, 0x32, 0x00, 0x00, 0xFF, 0x0A, 0x00, 0x64}));
    click("iISD2_en");
    expectTexts({{"eD2_Level3", "-"}, {"eD2_Delay3", "0"}});
    EXPECT_FALSE(enabled("ED2_gb3"));
    click("bDimmer2OK");
    EXPECT_EQ(steps(img::dim2Steps), stepList({0x00, 0x00, 0x32}));
}

TEST_F(DimmingEngineTest, MinimumLevelAbove100LeavesOnlyFullLevel)
{
    load({{img::minLevel, 150}});
    click("iISD2_en");
    click("eD2_Level1");
    EXPECT_EQ(slider("sbD2")->position(), 100);
    EXPECT_EQ(slider("sbD2")->minimum(), 100);
    EXPECT_EQ(edit("eD2_Level1"), "100");
    click("eD2_Level2");
    EXPECT_EQ(edit("eD2_Level2"), "100");
}
