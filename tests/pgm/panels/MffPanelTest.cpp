// The MFF and burn-in panel with its main-screen tile and switch.

#include "PanelTesting.h"

namespace {

struct MffPanelTest : PanelTest {
    // Start, L1, L2, L3, stop.
    QString profile() const
    {
        return QStringList{edit("eReduction"), edit("eL1"), edit("eL2"), edit("eL3"), edit("eStopLevel")}.join(' ');
    }
    std::pair<int, int> range() const { return {slider("sbMFF")->minimum(), slider("sbMFF")->maximum()}; }
    // The plot's pixels in pure red, of the points given.
    std::vector<bool> red(std::initializer_list<QPoint> points) const
    {
        const QImage plot = h->find<QLabel>("iDummy2")->pixmap().toImage();
        std::vector<bool> found;
        for (QPoint p : points)
            found.push_back(plot.pixelColor(p) == QColor(255, 0, 0));
        return found;
    }
};

} // namespace

// Lifetime 0 <-> 80..100 profile; level ranges between neighbours, within 100 even from a file.
TEST_F(MffPanelTest, LifetimeStartsTheProfileAndLevelSlidersStayBetweenTheirNeighbours)
{
    act({"sw_mff_off", "?pMFF", "!MFF_dis", "!pMFFSlider", "eLifeTime==0", "eBurnIn==0", "eReduction==-"});
    EXPECT_FALSE(h->find("eL2")->isEnabled());
    act({"eLifeTime", "sbMFF=255", "eLifeTime==127500", "sbMFF=1", "eLifeTime==500", "eL2"});
    EXPECT_EQ(profile(), "80 85 90 95 100");
    EXPECT_EQ(range(), std::pair(85, 95));
    EXPECT_TRUE(edited("eL2") && !edited("eLifeTime"));
    act({"eStopLevel"});
    EXPECT_EQ(range(), std::pair(80, 100));
    act({"eL2", "sbMFF=0"});
    EXPECT_EQ(profile(), "80 85 85 95 100");
    act({"eStopLevel", "sbMFF=80", "eReduction", "sbMFF=90", "eL3"});
    EXPECT_EQ(profile(), "90 88 85 82 80");
    EXPECT_EQ(range(), std::pair(80, 85));
    act({"sbMFF=84", "eL3==84", "eLifeTime", "sbMFF=0"});
    EXPECT_EQ(profile(), "- - - - -");
    EXPECT_FALSE(h->find("eReduction")->isEnabled());
    click("bMFFCancel");

    load({{img::mffLifetime, 1}, {img::mffStart, 200}, {img::mffL1, 150}, {img::mffL2, 120}, {img::mffL3, 110},
          {img::mffStop, 50}});
    act({"iMFF_en", "eReduction==200", "eStopLevel", "eStopLevel==100", "eL1"});
    EXPECT_EQ(range(), std::pair(100, 100));
    act({"eBurnIn", "eL2"});
    EXPECT_EQ(range(), std::pair(100, 100)) << "both neighbours above 100";
    click("bMFFCancel");
}

// The start level slides over 0..100 %; a flat profile at 0 leaves its levels no room.
TEST_F(MffPanelTest, StartLevelRunsOverAPercentage)
{
    act({"sw_mff_off", "eLifeTime", "sbMFF=1", "eReduction", "sbMFF=120", "eReduction==100", "sbMFF=-5",
         "eReduction==0", "eL1"});
    EXPECT_EQ(range(), std::pair(0, 50));
    act({"eStopLevel", "sbMFF=0", "eL2"});
    EXPECT_EQ(profile(), "0 0 0 0 0");
    EXPECT_EQ(range(), std::pair(0, 0));
    click("bMFFCancel");
}

// OK writes the panel's bytes only; switch off when lifetime and burn-in are 0; the reset box keeps the state
// it was left in.
TEST_F(MffPanelTest, SwitchPictureAndSwitchingOffClearsLifetimeBurnInAndResetButKeepsTheLevels)
{
    play({{{}, {"sw_mff_off", "eLifeTime", "sbMFF=4", "bMFFCancel", "?MFF_dis", "?sw_mff_off"}},
          {{}, {"sw_mff_off", "bMFFOk", "?MFF_dis", "?sw_mff_off"}, {{img::mffStart, 0}}},
          {{}, {"sw_mff_off", "eBurnIn", "sbMFF=4", "bMFFOk", "!MFF_dis", "!sw_mff_off"},
           {{img::burnInTime, 4}, {img::mffStart, 0}}}, // lifetime 0: no levels
          {{{img::mffLifetime, 2}, {img::burnInTime, 5}, {img::optionFlags, 0x09}, {img::mffStart, 70}},
           {"iMFF_en", "cbresetOH==-", "cbresetOH+", "bMFFCancel", "cbresetOH==+", "SW_mff_on", "?MFF_dis",
            "?sw_mff_off", "cbresetOH==-"},
           {{img::mffLifetime, 0}, {img::burnInTime, 0}, {img::optionFlags, 0x01}}},
          {{{img::optionFlags, 0x09}, {img::mffLifetime, 1}}, {"iMFF_en", "bMFFOk"}, {{img::optionFlags, 0x01}}},
          {{{img::optionFlags, 0x31}},
           {"sw_mff_off", "eLifeTime", "sbMFF=3", "eReduction", "sbMFF=81", "eBurnIn", "sbMFF=12", "cbresetOH+",
            "bMFFOk", "!pMFF", "!pMFFSlider", "!MFF_dis"},
           {{img::mffLifetime, 3}, {img::mffStart, 81}, {img::mffL1, 86}, {img::mffL2, 90}, {img::mffL3, 95},
            {img::mffStop, 100}, {img::burnInTime, 12}, {img::optionFlags, 0x39}}}});
    EXPECT_FALSE(edited("eBurnIn"));
}

TEST_F(MffPanelTest, EditColoursFollowTheEditedFieldAndTheEnabledState)
{
    const auto drawn = [this](const char* name) {
        QWidget* e = h->find(name);
        return e->palette().color(e->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text).name();
    };
    act({"sw_mff_off", "eLifeTime", "sbMFF=1"});
    EXPECT_EQ(drawn("eL1") + drawn("eLifeTime"), "#000000#008080");
    act({"eBurnIn", "eLifeTime", "sbMFF=0"});
    EXPECT_EQ(drawn("eL1") + drawn("eBurnIn"), "#bebebe#000000");
}

// The help plots start, L1, L2, L3 and stop at x = 49 + 100 per quarter of the lifetime, y = 446 - 4 per cent,
// on a fresh chart each time; without a lifetime it writes "Lifetime?" at (240, 240).
TEST_F(MffPanelTest, HelpPlotsTheProfileInOrderOnAFreshChart)
{
    act({"sw_mff_off", "eLifeTime", "sbMFF=1", "bMFFHelp", "?pHelpMFF"}); // 80 85 90 95 100
    const std::initializer_list<QPoint> profile = {{49, 126}, {149, 106}, {249, 86}, {349, 66}, {449, 46}};
    EXPECT_EQ(red(profile), std::vector<bool>(5, true));
    EXPECT_EQ(red({{99, 116}, {299, 76}, {149, 66}, {349, 106}, {249, 106}, {452, 46}}), // halfway, L1, L3 swapped,
              std::vector<bool>({true, true, false, false, false, false}));           // past the lifetime's end
    act({"iDummy2", "!pHelpMFF", "sbMFF=0", "bMFFHelp"});
    EXPECT_EQ(red(profile), std::vector<bool>(5, false));
    const QImage plot = h->find<QLabel>("iDummy2")->pixmap().toImage();
    int written = 0; // red pixels in the text's box, 240 x 40 at (240, 240), whatever the font
    for (int y = 240; y < 280; ++y)
        for (int x = 240; x < 480; ++x)
            written += plot.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(written, 0);
}

// The panel opens without its slider strip; a click on any of its values brings it.
TEST_F(MffPanelTest, SliderShowsOnlyAfterAClickOnAValue)
{
    for (const char* value : {"eLifeTime", "eBurnIn"})
        act({"sw_mff_off", "?pMFF", "!pMFFSlider", value, "?pMFFSlider", "bMFFCancel", "!pMFFSlider"});
}

// A lifetime slid to 0 clears the profile's levels on OK.
TEST_F(MffPanelTest, LifetimeZeroClearsTheLevels)
{
    play({{{{img::mffLifetime, 3}, {img::mffStart, 80}, {img::mffL1, 85}, {img::mffL2, 90}, {img::mffL3, 95},
            {img::mffStop, 100}},
           {"iMFF_en", "eLifeTime", "sbMFF=0", "eL1==-", "bMFFOk"},
           {{img::mffLifetime, 0}, {img::mffStart, 0}, {img::mffL1, 0}, {img::mffL2, 0}, {img::mffL3, 0},
            {img::mffStop, 0}}}});
}

// The burn-in period slides over 0..255 hours; each group shows the unit beside each of its values.
TEST_F(MffPanelTest, BurnInRunsOverAByte)
{
    act({"sw_mff_off", "eBurnIn", "sbMFF=300", "sbMFF==255", "eBurnIn==255", "sbMFF=-4", "sbMFF==0", "bMFFCancel"});
    QStringList texts;
    for (const QLabel* l : h->find("GroupBox1")->findChildren<QLabel*>())
        texts << l->text();
    texts.sort();
    EXPECT_EQ(texts.join('|'), "Burn-In Period|h");
    EXPECT_EQ(labelsReading("GroupBox12", "%"), 5);
    EXPECT_EQ(labelsReading("GroupBox12", "h"), 1);
}
