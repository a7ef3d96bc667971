// The MFF and burn-in panel with its main-screen tile and switch.

#include "PanelTesting.h"

#include <QImage>

using namespace nolt;
using namespace nolt::test;

namespace {

struct MffPanelTest : PanelTest {
    QString text(const char* name) { return edit(name); }
    ScrollBar* slider() { return h->find<ScrollBar>("sbMFF"); }
    // Clicks an edit and moves the slider to a position.
    void set(const char* edit, int position)
    {
        h->click(edit);
        slider()->setPosition(position);
    }
    // The five level texts in profile order: start, L1, L2, L3, stop.
    std::vector<QString> profile()
    {
        return {text("eReduction"), text("eL1"), text("eL2"), text("eL3"), text("eStopLevel")};
    }
    bool switchShowsOff() { return h->shown("MFF_dis") && h->shown("sw_mff_off"); }
    QRgb plotPixel(int x, int y) { return h->find<QLabel>("iDummy2")->pixmap().toImage().pixel(x, y); }
};

bool reddish(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 120 && qBlue(c) < 120;
}

} // namespace

TEST_F(MffPanelTest, OpensFromTheSwitchAtItsPlaceWithTheDefaultImageShowingNoLevels)
{
    ASSERT_TRUE(switchShowsOff());
    h->click("sw_mff_off");
    EXPECT_TRUE(h->shown("pMFF"));
    EXPECT_TRUE(h->form->state().formDisabled);
    EXPECT_FALSE(switchShowsOff()) << "the switch shows on while the panel is open";
    EXPECT_FALSE(h->shown("pMFFSlider"));
    EXPECT_EQ(text("eLifeTime"), "0");
    EXPECT_EQ(text("eBurnIn"), "0");
    EXPECT_EQ(profile(), std::vector<QString>(5, "-"));
    for (const char* level : {"eReduction", "eStopLevel", "eL1", "eL2", "eL3"})
        EXPECT_FALSE(h->find(level)->isEnabled()) << level;
    EXPECT_TRUE(h->find("eLifeTime")->isEnabled());
}

TEST_F(MffPanelTest, LifetimeSliderStartsAProfileAndBackToZeroClearsIt)
{
    h->click("sw_mff_off");
    set("eLifeTime", 1);
    EXPECT_TRUE(h->shown("pMFFSlider"));
    EXPECT_TRUE(h->find<ClickEdit>("eLifeTime")->isEdited());
    EXPECT_EQ(text("eLifeTime"), "500");
    EXPECT_EQ(profile(), (std::vector<QString>{"80", "85", "90", "95", "100"}));
    EXPECT_TRUE(h->find("eL2")->isEnabled());

    slider()->setPosition(255);
    EXPECT_EQ(text("eLifeTime"), "127500");
    slider()->setPosition(0);
    EXPECT_EQ(profile(), std::vector<QString>(5, "-"));
    EXPECT_FALSE(h->find("eReduction")->isEnabled());
}

TEST_F(MffPanelTest, IntermediateLevelsRoundHalvesToEven)
{
    struct { int start, stop; std::vector<QString> levels; } cases[] = {
        {80, 100, {"85", "90", "95"}},
        {80, 90, {"82", "85", "88"}},  // 82.5 and 87.5
        {81, 100, {"86", "90", "95"}}, // 85.75, 90.5, 95.25
        {90, 80, {"88", "85", "82"}},  // falling: 87.5, 82.5
    };
    h->click("sw_mff_off");
    set("eLifeTime", 2);
    for (const auto& c : cases) {
        // The stop slider starts at the start level, so a falling profile
        // is made by raising the start above the stop.
        set("eReduction", std::min(c.start, c.stop));
        set("eStopLevel", c.stop);
        set("eReduction", c.start);
        EXPECT_EQ((std::vector<QString>{text("eL1"), text("eL2"), text("eL3")}), c.levels)
            << c.start << " to " << c.stop;
    }
}

TEST_F(MffPanelTest, LevelSlidersStayBetweenTheirNeighbours)
{
    h->click("sw_mff_off");
    set("eLifeTime", 1); // 80 .. 100
    h->click("eL2");
    EXPECT_EQ(slider()->minimum(), 85);
    EXPECT_EQ(slider()->maximum(), 95);
    EXPECT_TRUE(h->find<ClickEdit>("eL2")->isEdited());
    EXPECT_FALSE(h->find<ClickEdit>("eLifeTime")->isEdited());
    slider()->setPosition(0);
    EXPECT_EQ(text("eL2"), "85");
    EXPECT_EQ(text("eL1"), "85") << "a hand-set level recomputes nothing";
    h->click("eStopLevel");
    EXPECT_EQ(slider()->minimum(), 80);
    slider()->setPosition(90);
    EXPECT_EQ(text("eL2"), "85") << "moving the stop level recomputes L1..L3";
    EXPECT_EQ(text("eL3"), "88");
}

TEST_F(MffPanelTest, StartAboveStopGivesReversedRangesWithoutChangingTheLevels)
{
    h->click("sw_mff_off");
    set("eLifeTime", 1);
    set("eStopLevel", 80);
    set("eReduction", 90); // L1..L3 = 88, 85, 82
    struct { const char* edit; int low, high; } ranges[] = {{"eL1", 85, 90}, {"eL2", 82, 88}, {"eL3", 80, 85}};
    for (const auto& r : ranges) {
        h->click(r.edit);
        EXPECT_TRUE(h->shown("pMFFSlider"));
        EXPECT_EQ(slider()->minimum(), r.low) << r.edit;
        EXPECT_EQ(slider()->maximum(), r.high) << r.edit;
    }
    EXPECT_EQ(profile(), (std::vector<QString>{"90", "88", "85", "82", "80"}));
    h->click("eL1");
    slider()->setPosition(89);
    EXPECT_EQ(text("eL1"), "89");
}

TEST_F(MffPanelTest, LevelBytesBeyondAHundredFromAFileStayWithinTheSliders)
{
    load({{img::mffLifetime, 1}, {img::mffStart, 200}, {img::mffL1, 150}, {img::mffL2, 100},
          {img::mffL3, 75}, {img::mffStop, 50}});
    h->click("iMFF_en");
    EXPECT_EQ(text("eReduction"), "200");
    h->click("eStopLevel");
    EXPECT_EQ(slider()->minimum(), 100);
    EXPECT_EQ(text("eStopLevel"), "100");
    h->click("eL1"); // between the start (200) and L2 (150): both beyond 100
    EXPECT_EQ(slider()->minimum(), 100);
    EXPECT_EQ(slider()->maximum(), 100);
}

TEST_F(MffPanelTest, OkWritesExactlyTheMffBytes)
{
    load({{img::optionFlags, 0x31}}); // remote function and dstOff, which OK keeps
    const Bytes before = h->image();
    h->click("sw_mff_off");
    set("eLifeTime", 3);
    set("eReduction", 81);
    set("eBurnIn", 12);
    h->find<QCheckBox>("cbresetOH")->setChecked(true);
    h->click("bMFFOk");

    EXPECT_EQ(differences(image(), with(before, {{img::mffLifetime, 3}, {img::mffStart, 81}, {img::mffL1, 86},
                                                 {img::mffL2, 90}, {img::mffL3, 95}, {img::mffStop, 100},
                                                 {img::burnInTime, 12}, {img::optionFlags, 0x39}})),
              "");
    EXPECT_FALSE(h->shown("pMFF"));
    EXPECT_FALSE(h->shown("pMFFSlider"));
    EXPECT_FALSE(h->form->state().formDisabled);
    EXPECT_FALSE(switchShowsOff());
    EXPECT_FALSE(h->find<ClickEdit>("eBurnIn")->isEdited());
}

TEST_F(MffPanelTest, OkWithLifetimeZeroClearsTheLevelsAndShowsTheSwitchOff)
{
    load({{img::mffLifetime, 2}, {img::mffStart, 70}, {img::mffL1, 75}, {img::mffL2, 80}, {img::mffL3, 85},
          {img::mffStop, 90}});
    const Bytes before = h->image();
    h->click("iMFF_en");
    EXPECT_EQ(text("eLifeTime"), "1000");
    EXPECT_EQ(profile(), (std::vector<QString>{"70", "75", "80", "85", "90"}));
    h->click("eLifeTime");
    EXPECT_EQ(slider()->position(), 2);
    slider()->setPosition(0);
    h->click("bMFFOk");
    Bytes expected = before;
    for (int at : {img::mffStart, img::mffL1, img::mffL2, img::mffL3, img::mffStop, img::mffLifetime})
        expected[at] = 0;
    EXPECT_EQ(h->image(), expected);
    EXPECT_TRUE(switchShowsOff());
}

TEST_F(MffPanelTest, BurnInAloneLeavesTheSwitchPicturesAsTheyWere)
{
    h->click("sw_mff_off");
    set("eBurnIn", 10);
    h->click("bMFFOk");
    EXPECT_EQ(h->image()[img::burnInTime], 10);
    EXPECT_EQ(h->image()[img::mffLifetime], 0);
    EXPECT_FALSE(switchShowsOff());
}

TEST_F(MffPanelTest, CancelTurnsTheSwitchBackOff)
{
    h->click("sw_mff_off");
    set("eLifeTime", 4);
    h->click("bMFFCancel");
    EXPECT_TRUE(switchShowsOff());
    EXPECT_EQ(image()[img::mffLifetime], 0);
}

TEST_F(MffPanelTest, SwitchingOffClearsLifetimeBurnInAndResetButKeepsTheLevels)
{
    load({{img::mffLifetime, 2}, {img::burnInTime, 5}, {img::optionFlags, 0x09}, {img::mffStart, 70},
          {img::mffL1, 71}, {img::mffL2, 72}, {img::mffL3, 73}, {img::mffStop, 74}});
    h->click("iMFF_en");
    h->find<QCheckBox>("cbresetOH")->setChecked(true);
    h->click("bMFFCancel");
    EXPECT_TRUE(h->find<QCheckBox>("cbresetOH")->isChecked()) << "the box keeps the state it was left in";

    Bytes expected = h->image();
    h->click("SW_mff_on");
    expected[img::mffLifetime] = 0;
    expected[img::burnInTime] = 0;
    expected[img::optionFlags] = 0x01;
    EXPECT_EQ(h->image(), expected);
    EXPECT_TRUE(switchShowsOff());
    EXPECT_FALSE(h->find<QCheckBox>("cbresetOH")->isChecked());
}

TEST_F(MffPanelTest, StoredResetBitIsNotShownAndOkWithTheBoxUntickedClearsIt)
{
    load({{img::optionFlags, 0x09}, {img::mffLifetime, 1}});
    h->click("iMFF_en");
    EXPECT_FALSE(h->find<QCheckBox>("cbresetOH")->isChecked());
    h->click("bMFFOk");
    EXPECT_EQ(h->image()[img::optionFlags], 0x01);
}

TEST_F(MffPanelTest, HelpPlotsTheProfileOnAFreshChartEachTime)
{
    h->click("sw_mff_off");
    set("eLifeTime", 1); // 80, 85, 90, 95, 100
    h->click("bMFFHelp");
    // Start, L2 and stop on the chart's scale: x = 49 + 100 a quarter,
    // y = 446 - 4 per cent.
    EXPECT_TRUE(reddish(plotPixel(49, 446 - 4 * 80)));
    EXPECT_TRUE(reddish(plotPixel(249, 446 - 4 * 90)));
    EXPECT_TRUE(reddish(plotPixel(448, 446 - 4 * 100)));
    EXPECT_FALSE(reddish(plotPixel(249, 446 - 4 * 50)));
    h->click("iDummy2");

    slider()->setPosition(0);
    h->click("bMFFHelp");
    EXPECT_FALSE(reddish(plotPixel(249, 446 - 4 * 90))) << "the earlier profile is gone";
    int red = 0, redOutsideText = 0;
    const QImage plot = h->find<QLabel>("iDummy2")->pixmap().toImage();
    for (int y = 0; y < plot.height(); ++y)
        for (int x = 0; x < plot.width(); ++x)
            if (reddish(plot.pixel(x, y))) {
                ++red;
                redOutsideText += !QRect(240, 240, 120, 30).contains(x, y);
            }
    EXPECT_GT(red, 20) << "\"Lifetime?\" is written";
    EXPECT_EQ(redOutsideText, 0);
}

// Enabled edits draw their text in the window-text colour, teal while the
// slider edits them; disabled ones keep the disabled look.
TEST_F(MffPanelTest, EditColoursFollowTheEditedFieldAndTheEnabledState)
{
    const auto drawn = [this](const char* name) {
        QWidget* e = h->find(name);
        return e->palette().color(e->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text).name();
    };
    h->click("sw_mff_off");
    set("eLifeTime", 1); // the level edits were disabled when the lifetime was clicked
    EXPECT_EQ(drawn("eL1"), "#000000");
    EXPECT_EQ(drawn("eLifeTime"), "#008080");
    h->click("eBurnIn"); // now they are enabled
    set("eLifeTime", 0);
    EXPECT_EQ(drawn("eL1"), "#bebebe");
    EXPECT_EQ(drawn("eBurnIn"), "#000000");
    h->click("bMFFCancel");
    EXPECT_EQ(drawn("eLifeTime"), "#000000");
}
