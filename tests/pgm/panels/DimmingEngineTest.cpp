// The two dimming-engine editors: shared rules over both engines, each engine's own, odd steps kept or dropped.

#include "PanelTesting.h"

namespace {

struct Engine { char n; const char *first, *ok, *deleteLabel; int steps; };
const Engine engine1{'1', "eD#_Time", "bDimmer1_OK", "lDelete", img::dim1Steps};
const Engine engine2{'2', "eD#_Delay", "bDimmer2OK", "lDelete2", img::dim2Steps};

struct DimmingEngineTest : PanelTest {
    Engine e = engine1;

    QString c(const char* name, int step = 0) const
    {
        const QString s = QString::fromLatin1(name).replace(u'#', QChar::fromLatin1(e.n));
        return step ? s + QString::number(step) : s;
    }
    // act() with '#' standing for the engine's number: "eD#_Level3" is "eD1_Level3" in engine 1.
    void run(std::initializer_list<const char*> steps) const
    {
        for (const char* s : steps)
            act({c(s).toUtf8().constData()});
    }
    Bytes steps() const { const auto at = h->image().begin() + e.steps; return Bytes(at, at + img::dimStepsBytes); }
    // Ten steps: the given ones, the rest empty.
    static Bytes stepList(std::initializer_list<std::uint8_t> used)
    {
        Bytes s(used);
        for (std::size_t k = s.size() / 3; k < 10; ++k)
            s.insert(s.end(), {0x00, 0x00, 0xFF});
        return s;
    }
    QColor colour(int step) const { return h->find(c("ED#_gb", step))->palette().color(QPalette::Window); }
    bool enabled(int step) const { return h->find(c("ED#_gb", step))->isEnabled(); }
};

} // namespace

// Used steps green, then one silver row, the rest disabled; a deletion removes the steps after it.
TEST_F(DimmingEngineTest, OpenAddAndDeleteSteps)
{
    const struct { Engine engine; int used; const char* texts; std::uint8_t first; } engines[] = {
        {engine1, 2, "22:00:00 0 50 05:00:00 0 100 00:00:00 0 -", 0xE8}, {engine2, 1, "0 0 50 0 0 -", 0x00}};
    for (const auto& [engine, used, texts, first] : engines) {
        e = engine;
        run({"iISD#_en", "?pDimmer#", "!pD#Slider", "rbD#_On1==+"});
        QStringList shownTexts;
        for (int k = 1; k <= used + 1; ++k)
            shownTexts << edit(c(e.first, k)) << edit(c("eD#_Fade", k)) << edit(c("eD#_Level", k));
        EXPECT_EQ(shownTexts.join(' '), texts);
        EXPECT_TRUE(colour(used) == bgr(clMoneyGreen) && colour(used + 1) == bgr(clSilver));
        EXPECT_TRUE(enabled(used + 1) && !enabled(used + 2));
        EXPECT_EQ(shown(e.deleteLabel) + shown(c("ED#_cbDel2")), 2 * (used > 1)); // a step to delete
        run({"eD#_Level2", "eD#_Level3", "sbD#==100", "?ED#_cbDel3"});
        EXPECT_TRUE(colour(3) == bgr(clMoneyGreen) && enabled(4));
        run({"ED#_cbDel2", "ED#_cbDel2==-", "eD#_Level2==-", "!ED#_cbDel2", "!ED#_cbDel3", "!pD#Slider", e.ok});
        EXPECT_TRUE(colour(2) == bgr(clSilver) && enabled(2) && !enabled(3) && !shown(e.deleteLabel));
        EXPECT_EQ(steps(), stepList({first, 0, 0x32}));
    }
}

// What OK stores: engine 1's level slider sets the relay (off at 0), fades count 900 s; a step not later than
// the one before or without delay ends the list; an empty first step switches engine 2's LST timer off.
TEST_F(DimmingEngineTest, OkStoresTheStepsUpToOneThatMayNotFollow)
{
    const int s1 = img::dim1Steps, s2 = img::dim2Steps;
    play({{{}, {"iISD1_en", "eD1_Level1", "sbD1=0", "rbD1_Off1==+", "rbD1_Off1", "sbD1=20", "rbD1_Off1==-",
                "eD1_Fade1", "?comboD1", "comboD1=3", "sbD1=7", "eD1_Fade1==04,200", "eD1_Time1", "!comboD1",
                "bDimmer1_OK"},
           {{s1 + img::stepFade, 196}, {s1 + img::stepLevel, 0x14}}},
          {{}, {"iISD1_en", "eD1_Level3", "bDimmer1_OK"}}, // 00:00 after 05:00
          {{}, {"iISD2_en", "eD2_Level2", "eD2_Level3", "eD2_Level4", "eD2_Delay2", "comboD2=0", "sbD2=10",
                "eD2_Delay4", "comboD2=0", "sbD2=20", "bDimmer2OK"}, // delays 0, 10 s, 0, 20 s
           {{s2 + 3, 10}, {s2 + 4, 0}, {s2 + 5, 0x64}}},
          {{{s2 + img::stepLevel, 0xFF}}, {"?dm2_dis", "sw_lst_open", "iISD2_en", "eD2_Level1==-", "bDimmer2OK", "?LST_dis",
                                             "?dm2_dis"}},
          {{{s1 + img::stepLevel, 0xFF}}, {"?dm1_dis", "sw_astro_open", "!dm1_dis", "iISD1_en", "eD1_Level1==-", "bDimmer1_OK",
                                           "?Astro_dis", "?dm1_dis", "?sw_astro_open"}, // ISD off, steps cleared
           {{img::featureFlags, 0x08}, {s1, 0}, {s1 + 3, 0}, {s1 + 5, 0xFF}}},
          {{{s2 + 3, 0x01}, {s2 + 5, 0x64}}, {"iISD2_en", "bDimmer2OK"}}, // a delay of 1 s is a delay
          // Engine 2's level slider leaves the relay as ticked.
          {{}, {"iISD2_en", "rbD2_Off1", "eD2_Level1", "sbD2=40", "rbD2_Off1==+", "bDimmer2OK"}, {{s2 + 2, 0xA8}}},
          {{}, {"iISD2_en", "eD2_Level1", "sbD2=0", "rbD2_On1==+", "bDimmer2OK"}, {{s2 + 2, 0x00}}},
          // A step that OK empties gets "On" back, which a step added there later takes.
          {{}, {"iISD2_en", "eD2_Level2", "rbD2_Off2", "bDimmer2OK", "iISD2_en", "rbD2_On2==+", "eD2_Level2",
                "eD2_Delay2", "comboD2=0", "sbD2=10", "bDimmer2OK"},
           {{s2 + 3, 10}, {s2 + 5, 0x64}}},
          // Engine 1's time slider runs from 15:00 to 09:00, 22:00 at 104; no range selector.
          {{}, {"iISD1_en", "eD1_Fade1", "?comboD1", "eD1_Time1", "!comboD1", "sbD1==104", "sbD1=236",
                "eD1_Time1==09:00:00", "sbD1=0", "eD1_Time1==15:00:00", "bDimmer1_Cancel"}}});
}

// Steps from an image that the editor never writes (times outside the night, long delays and fades, levels above
// 100) are shown and kept; a step behind a gap is dropped. Level 127 with the relay off, the empty-step byte, is
// stored as 100 with the relay off; a minimum level above 100 leaves the level slider at 100.
TEST_F(DimmingEngineTest, OddStepsAreShownAndKeptAndThoseBehindAGapDropped)
{
    const struct { Engine engine; Bytes stored, kept; const char* texts; } rows[] = {
        {engine1, stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE, 0x00, 0x00, 0xFF, 0x3C, 0x00, 0x64}),
         stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE}), "14:20:00 54,900 120 10:00:00 56,700 126 00:00:00 0 - Off2"},
        {engine2, stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64, 0x00, 0x00, 0xFF, 0x0A, 0x00, 0x64}),
         stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64}), "15:15:00 56,700 127 15:45:00 55,800 100 0 0 - On2"},
    };
    for (const auto& [engine, stored, kept, texts] : rows) {
        e = engine;
        show(stored, e.steps);
        run({"iISD#_en"});
        QStringList shownTexts;
        for (int k : {1, 2, 4})
            shownTexts << edit(c(e.first, k)) << edit(c("eD#_Fade", k)) << edit(c("eD#_Level", k));
        EXPECT_EQ(shownTexts.join(' ') + (ticked(c("rbD#_Off2")) ? " Off2" : " On2"), texts);
        EXPECT_TRUE(enabled(3) && !enabled(4));
        click(c(e.ok));
        EXPECT_EQ(steps(), kept) << e.n;
    }
    run({"iISD#_en", "rbD#_Off1", e.ok});
    EXPECT_EQ(steps(), stepList({0xFD, 0xFF, 0xE4, 0xFF, 0xFE, 0x64}));
    load({{img::minLevel, 150}});
    run({"iISD#_en", "eD#_Level1", "sbD#==100", "eD#_Level2", "eD#_Level2==100"});
    EXPECT_EQ(slider("sbD2")->minimum(), 100);
}

// Each delete box stands beside its own row: its middle lies within the row's group box.
TEST_F(DimmingEngineTest, EachDeleteBoxStandsBesideItsRow)
{
    for (const Engine& engine : {engine1, engine2})
        for (int k = 2; k <= 10; ++k) {
            e = engine; // a row's group box and its delete box lie on the panel
            const QRect row = h->find(c("ED#_gb", k))->geometry(), box = h->find(c("ED#_cbDel", k))->geometry();
            EXPECT_TRUE(row.top() <= box.center().y() && box.center().y() <= row.bottom()) << e.n << k;
        }
}

// A step added in row 2 brings its delete box and the "DEL" caption; an empty row's fields are not being edited.
TEST_F(DimmingEngineTest, SecondStepBringsTheDeleteCaption)
{
    e = engine2;
    run({"iISD#_en", "!lDelete2", "!ED#_cbDel2"});
    EXPECT_FALSE(edited(c("eD#_Level", 2)) || edited(c("eD#_Fade", 2)) || edited(c(e.first, 2)));
    run({"eD#_Level2", "?ED#_cbDel2", "?lDelete2", "ED#_cbDel2", "!lDelete2", "eD#_Level2==-"});
    EXPECT_FALSE(edited(c("eD#_Level", 2)) || edited(c("eD#_Fade", 2)) || edited(c(e.first, 2)));
    run({"eD#_Level1", e.ok, "iISD#_en"}); // OK leaves no field marked for the next opening
    EXPECT_FALSE(edited(c("eD#_Level", 1)) || edited(c("eD#_Fade", 1)) || edited(c(e.first, 1)));
}

// A deleted step is stored empty, its delay and fade cleared too; a step loaded there later can be deleted again.
TEST_F(DimmingEngineTest, ADeletedStepIsStoredEmpty)
{
    e = engine2;
    show(stepList({0x00, 0x00, 0x32, 0x0A, 0x05, 0x64}), e.steps);
    run({"iISD#_en", "ED#_cbDel2", e.ok});
    EXPECT_EQ(steps(), stepList({0x00, 0x00, 0x32}));
    show(stepList({0x00, 0x00, 0x32, 0x0A, 0x05, 0x64}), e.steps); // a file with the step again
    run({"iISD#_en", "?ED#_cbDel2", "?lDelete2"});
}

// Engine 1's time codes above 128 count back from midnight: 129 (127 five-minute steps before it) may be followed
// by midnight.
TEST_F(DimmingEngineTest, TimeCodesAbove128LieBeforeMidnight)
{
    e = engine1;
    show(stepList({0x81, 0x00, 0x32, 0x00, 0x00, 0x64}), e.steps);
    run({"iISD#_en", e.ok});
    EXPECT_EQ(steps(), stepList({0x81, 0x00, 0x32, 0x00, 0x00, 0x64}));
}


// Engine 1: a click on a step's time of day marks that field alone; the first step never has a delete box, a
// used second step shows its own.
TEST_F(DimmingEngineTest, EngineOneTimeFieldIsMarkedAndOnlyLaterStepsCanBeDeleted)
{
    e = engine1;
    show(stepList({0x10, 0x00, 0x32, 0x20, 0x00, 0x64}), e.steps);
    run({"iISD#_en", "?ED#_cbDel2", "!ED#_cbDel3"});
    EXPECT_EQ(h->form->findChild<QWidget*>(c("ED#_cbDel", 1)), nullptr);
    EXPECT_FALSE(edited(c(e.first, 2)));
    run({"eD#_Time2"});
    EXPECT_TRUE(edited(c(e.first, 2)) && !edited(c(e.first, 1)) && !edited(c("eD#_Level", 2)));
    run({"eD#_Level2"});
    EXPECT_TRUE(edited(c("eD#_Level", 2)) && !edited(c(e.first, 2)));
}

// Each row is captioned with its step (engine 1's first with a leading blank), names its fields, and has "On"
// ticked until a step says otherwise.
TEST_F(DimmingEngineTest, RowsNameTheirStepAndFields)
{
    const struct { Engine engine; const char* first; QStringList labels; } rows[] = {
        {engine1, " 1", {"Fade Speed", "Level", "Relay", "Time", "s/%"}},
        {engine2, "1", {"Delay", "Fade Speed", "Level", "Relay", "s/%"}}};
    for (const auto& [engine, first, labels] : rows) {
        e = engine;
        run({"iISD#_en", "rbD#_On3==+", "rbD#_Off3==-"});
        EXPECT_EQ(h->find<QGroupBox>(c("ED#_gb1"))->title(), first);
        EXPECT_EQ(h->find<QGroupBox>(c("ED#_gb10"))->title(), "10");
        QStringList texts;
        for (const QLabel* l : h->find(c("ED#_gb3"))->findChildren<QLabel*>())
            texts << l->text();
        texts.sort();
        EXPECT_EQ(texts, labels) << e.n;
        click(c(e.ok));
    }
}

// Each engine's help shows its own picture, told apart by the colour of its title bar.
TEST_F(DimmingEngineTest, EachEngineHelpShowsItsOwnPicture)
{
    const struct { Engine engine; const char *help, *picture, *cancel; QRgb titleBar; } rows[] = {
        {engine1, "bHelpD1a", "Image3", "bDimmer1_Cancel", qRgb(0x6A, 0x4B, 0xB5)},
        {engine2, "bQuestion", "Image2", "bDimmer2Cancel", qRgb(0x11, 0x80, 0x8A)}};
    for (const auto& [engine, help, picture, cancel, titleBar] : rows) {
        e = engine;
        run({"iISD#_en", help});
        ASSERT_TRUE(shown(picture));
        const QPixmap shown = h->find<QLabel>(picture)->pixmap();
        const QPoint inTitleBar = (QPointF(20, 10) * shown.devicePixelRatio()).toPoint();
        EXPECT_EQ(shown.toImage().pixel(inTitleBar), titleBar) << picture;
        run({picture, cancel});
    }
}
