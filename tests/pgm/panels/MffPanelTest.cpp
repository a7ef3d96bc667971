// The MFF and burn-in panel with its main-screen tile and switch.

#include "PanelTesting.h"

#include <QImage>

using namespace nolt;
using namespace nolt::test;

namespace {

struct MffPanelTest : PanelTest {
    // Clicks an edit and moves the slider to a position.
    void set(const char* field, int position) const
    {
        click(field);
        slide("sbMFF", position);
    }
    // The level texts in profile order: start, L1, L2, L3, stop.
    QStringList profile() const
    {
        return {edit("eReduction"), edit("eL1"), edit("eL2"), edit("eL3"), edit("eStopLevel")};
    }
    bool switchShowsOff() const { return shown("MFF_dis") && shown("sw_mff_off"); }
    int redPixels(QRect where) const
    {
        const QImage plot = h->find<QLabel>("iDummy2")->pixmap().toImage();
        int red = 0;
        for (int y = where.top(); y <= where.bottom(); ++y)
            for (int x = where.left(); x <= where.right(); ++x)
                red += qRed(plot.pixel(x, y)) > 180 && qGreen(plot.pixel(x, y)) < 120 && qBlue(plot.pixel(x, y)) < 120;
        return red;
    }
};

const QStringList noLevels(5, "-");

} // namespace

// The factory image shows no levels; a lifetime starts the profile at 80 to
// 100 and a lifetime of 0 clears it again.
TEST_F(MffPanelTest, LifetimeStartsAndClearsTheProfile)
{
    ASSERT_TRUE(switchShowsOff());
    click("sw_mff_off");
    EXPECT_TRUE(shown("pMFF") && busy() && !switchShowsOff() && !shown("pMFFSlider"));
    EXPECT_EQ(edit("eLifeTime") + edit("eBurnIn"), "00");
    EXPECT_EQ(profile(), noLevels);
    EXPECT_FALSE(h->find("eL2")->isEnabled());
    set("eLifeTime", 1);
    EXPECT_TRUE(shown("pMFFSlider") && edited("eLifeTime"));
    EXPECT_EQ(edit("eLifeTime"), "500");
    EXPECT_EQ(profile(), QStringList({"80", "85", "90", "95", "100"}));
    EXPECT_TRUE(h->find("eL2")->isEnabled());
    slide("sbMFF", 255);
    EXPECT_EQ(edit("eLifeTime"), "127500");
    slide("sbMFF", 0);
    EXPECT_EQ(profile(), noLevels);
    EXPECT_FALSE(h->find("eReduction")->isEnabled());
}

// L1..L3 lie at a quarter, half and three quarters, halves rounded to even.
TEST_F(MffPanelTest, IntermediateLevelsRoundHalvesToEven)
{
    const struct { int start, stop; QStringList levels; } cases[] = {
        {80, 100, {"85", "90", "95"}},
        {80, 90, {"82", "85", "88"}},  // 82.5 and 87.5
        {81, 100, {"86", "90", "95"}}, // 85.75, 90.5, 95.25
        {90, 80, {"88", "85", "82"}},  // falling: 87.5, 82.5
    };
    click("sw_mff_off");
    set("eLifeTime", 2);
    for (const auto& c : cases) {
        set("eReduction", std::min(c.start, c.stop)); // the stop starts at the start level
        set("eStopLevel", c.stop);
        set("eReduction", c.start);
        EXPECT_EQ(profile().mid(1, 3), c.levels) << c.start << " to " << c.stop;
    }
}

// A level moves between its neighbours (either order); the stop level from
// the start up to 100. A hand-set level recomputes nothing; the stop does.
TEST_F(MffPanelTest, LevelSlidersStayBetweenTheirNeighbours)
{
    click("sw_mff_off");
    set("eLifeTime", 1);
    const struct { const char* edit; int low, high; } rising[] = {{"eL2", 85, 95}, {"eStopLevel", 80, 100}};
    const struct { const char* edit; int low, high; } falling[] = {{"eL1", 85, 90}, {"eL2", 82, 88}, {"eL3", 80, 85}};
    for (const auto& r : rising) {
        click(r.edit);
        EXPECT_EQ(std::pair(slider("sbMFF")->minimum(), slider("sbMFF")->maximum()), std::pair(r.low, r.high));
        EXPECT_TRUE(edited(r.edit) && !edited("eLifeTime"));
    }
    set("eL2", 0);
    EXPECT_EQ(profile(), QStringList({"80", "85", "85", "95", "100"}));
    set("eStopLevel", 80);
    set("eReduction", 90);
    EXPECT_EQ(profile(), QStringList({"90", "88", "85", "82", "80"}));
    for (const auto& r : falling) {
        click(r.edit);
        EXPECT_EQ(std::pair(slider("sbMFF")->minimum(), slider("sbMFF")->maximum()), std::pair(r.low, r.high));
    }
    slide("sbMFF", 84);
    EXPECT_EQ(edit("eL3"), "84");

    // Bytes beyond 100 from a file: the ranges stay within 100.
    click("bMFFCancel");
    load({{img::mffLifetime, 1}, {img::mffStart, 200}, {img::mffL1, 150}, {img::mffL2, 100}, {img::mffStop, 50}});
    click("iMFF_en");
    EXPECT_EQ(edit("eReduction"), "200");
    click("eStopLevel");
    EXPECT_EQ(slider("sbMFF")->minimum(), 100);
    EXPECT_EQ(edit("eStopLevel"), "100");
    click("eL1");
    EXPECT_EQ(std::pair(slider("sbMFF")->minimum(), slider("sbMFF")->maximum()), std::pair(100, 100));
}

TEST_F(MffPanelTest, OkWritesExactlyTheMffBytes)
{
    load({{img::optionFlags, 0x31}}); // remote function and dstOff, which OK keeps
    const Bytes before = image();
    click("sw_mff_off");
    set("eLifeTime", 3);
    set("eReduction", 81);
    set("eBurnIn", 12);
    tick("cbresetOH", true);
    click("bMFFOk");
    EXPECT_EQ(differences(image(), with(before, {{img::mffLifetime, 3}, {img::mffStart, 81}, {img::mffL1, 86},
                                                 {img::mffL2, 90}, {img::mffL3, 95}, {img::mffStop, 100},
                                                 {img::burnInTime, 12}, {img::optionFlags, 0x39}})),
              "");
    EXPECT_FALSE(shown("pMFF") || shown("pMFFSlider") || busy() || switchShowsOff() || edited("eBurnIn"));

    // Lifetime 0 clears the levels and shows the switch off.
    load({{img::mffLifetime, 2}, {img::mffStart, 70}, {img::mffL1, 75}, {img::mffL2, 80}, {img::mffStop, 90}});
    const Bytes levels = image();
    click("iMFF_en");
    tick("cbresetOH", false);
    EXPECT_EQ(edit("eLifeTime"), "1000");
    EXPECT_EQ(profile(), QStringList({"70", "75", "80", "0", "90"}));
    click("eLifeTime");
    EXPECT_EQ(slider("sbMFF")->position(), 2);
    slide("sbMFF", 0);
    click("bMFFOk");
    EXPECT_EQ(differences(image(), with(levels, {{img::mffLifetime, 0}, {img::mffStart, 0}, {img::mffL1, 0},
                                                 {img::mffL2, 0}, {img::mffStop, 0}})),
              "");
    EXPECT_TRUE(switchShowsOff());
}

// The switch shows off after OK or Cancel when lifetime and burn-in are 0.
TEST_F(MffPanelTest, SwitchPictureAfterOkAndCancel)
{
    const struct { const char* field; const char* button; bool off; } cases[] = {
        {"eLifeTime", "bMFFCancel", true}, {"eBurnIn", "bMFFCancel", true}, {"eBurnIn", "bMFFOk", false}};
    for (const auto& c : cases) {
        load({});
        click("sw_mff_off");
        set(c.field, 4);
        click(c.button);
        EXPECT_EQ(switchShowsOff(), c.off) << c.field << " " << c.button;
    }
    EXPECT_EQ(image()[img::burnInTime], 4);
    EXPECT_EQ(image()[img::mffLifetime], 0);
}

TEST_F(MffPanelTest, SwitchingOffClearsLifetimeBurnInAndResetButKeepsTheLevels)
{
    load({{img::mffLifetime, 2}, {img::burnInTime, 5}, {img::optionFlags, 0x09}, {img::mffStart, 70}});
    click("iMFF_en");
    EXPECT_FALSE(ticked("cbresetOH")) << "the stored bit is not shown";
    tick("cbresetOH", true);
    click("bMFFCancel");
    EXPECT_TRUE(ticked("cbresetOH")) << "the box keeps the state it was left in";
    const Bytes before = image();
    click("SW_mff_on");
    const ByteChanges cleared = {{img::mffLifetime, 0}, {img::burnInTime, 0}, {img::optionFlags, 0x01}};
    EXPECT_EQ(differences(image(), with(before, cleared)), "");
    EXPECT_TRUE(switchShowsOff());
    EXPECT_FALSE(ticked("cbresetOH"));

    load({{img::optionFlags, 0x09}, {img::mffLifetime, 1}});
    click("iMFF_en");
    click("bMFFOk");
    EXPECT_EQ(image()[img::optionFlags], 0x01) << "OK with the box unticked clears the bit";
}

// The help plots the profile on a fresh chart (x = 49 + 100 a quarter,
// y = 446 - 4 per cent), or "Lifetime?" when there is none.
TEST_F(MffPanelTest, HelpPlotsTheProfileOnAFreshChartEachTime)
{
    click("sw_mff_off");
    set("eLifeTime", 1); // 80, 85, 90, 95, 100
    click("bMFFHelp");
    for (QPoint p : {QPoint(49, 126), QPoint(249, 86), QPoint(448, 46)})
        EXPECT_GT(redPixels(QRect(p, QSize(1, 1))), 0) << p.x();
    EXPECT_EQ(redPixels(QRect(249, 246, 1, 1)), 0);
    click("iDummy2");
    slide("sbMFF", 0);
    click("bMFFHelp");
    EXPECT_EQ(redPixels(QRect(249, 86, 1, 1)), 0) << "the earlier profile is gone";
    EXPECT_GT(redPixels(QRect(240, 240, 120, 30)), 20) << "\"Lifetime?\" is written";
    EXPECT_EQ(redPixels(QRect(0, 0, 1000, 1000)), redPixels(QRect(240, 240, 120, 30)));
}

// Enabled edits draw their text in the window-text colour, teal while the
// slider edits them; disabled ones keep the disabled look.
TEST_F(MffPanelTest, EditColoursFollowTheEditedFieldAndTheEnabledState)
{
    const auto drawn = [this](const char* name) {
        QWidget* e = h->find(name);
        return e->palette().color(e->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text).name();
    };
    click("sw_mff_off");
    set("eLifeTime", 1); // the level edits were disabled when the lifetime was clicked
    EXPECT_EQ(drawn("eL1") + drawn("eLifeTime"), "#000000#008080");
    click("eBurnIn"); // now they are enabled
    set("eLifeTime", 0);
    EXPECT_EQ(drawn("eL1") + drawn("eBurnIn"), "#bebebe#000000");
    click("bMFFCancel");
    EXPECT_EQ(drawn("eLifeTime"), "#000000");
}
