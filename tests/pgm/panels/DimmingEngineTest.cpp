// The two dimming-engine editors: shared rules over both engines, each engine's own, odd steps kept or dropped.

#include "PanelTesting.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct Engine {
    char n;
    const char *first, *ok, *deleteLabel;
    int steps;
};
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
    Bytes steps() const
    {
        return Bytes(h->image().begin() + e.steps, h->image().begin() + e.steps + img::dimStepsBytes);
    }
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
                "eD1_Fade1", "comboD1=3", "sbD1=7", "eD1_Fade1==04,200", "bDimmer1_OK"},
           {{s1 + img::stepFade, 196}, {s1 + img::stepLevel, 0x14}}},
          {{}, {"iISD1_en", "eD1_Level3", "bDimmer1_OK"}}, // 00:00 after 05:00
          {{}, {"iISD2_en", "eD2_Level2", "eD2_Level3", "eD2_Level4", "eD2_Delay2", "comboD2=0", "sbD2=10",
                "eD2_Delay4", "comboD2=0", "sbD2=20", "bDimmer2OK"}, // delays 0, 10 s, 0, 20 s
           {{s2 + 3, 10}, {s2 + 4, 0}, {s2 + 5, 0x64}}},
          {{{s2 + img::stepLevel, 0xFF}}, {"iISD2_en", "eD2_Level1==-", "bDimmer2OK", "?LST_dis", "?dm2_dis"},
           {{img::featureFlags, 0x04}}}});
}

// Engine 1's times 15:00 (20) over midnight (128) to 09:00 (236); engine 2's delays as time codes.
TEST_F(DimmingEngineTest, Engine1TimesAndEngine2DelaysAreStoredAsCodes)
{
    act({"iISD1_en", "eD1_Level3", "eD1_Level4", "eD1_Time1", "?pD1Slider", "!comboD1", "sbD1=20",
         "eD1_Time1==15:00:00", "eD1_Time2", "sbD1=104", "eD1_Time2==22:00:00", "eD1_Time3", "sbD1=188",
         "eD1_Time3==05:00:00", "eD1_Time4", "sbD1=236", "eD1_Time4==09:00:00"});
    EXPECT_TRUE(edited("eD1_Time4") && !edited("eD1_Time3"));
    click("bDimmer1_OK");
    EXPECT_EQ(steps(), stepList({0x94, 0, 0x32, 0xE8, 0, 0x64, 0x3C, 0, 0x64, 0x6C, 0, 0x64}));
    e = engine2;
    act({"iISD2_en", "eD2_Level2", "eD2_Delay2", "comboD2=1", "sbD2=30", "eD2_Delay2==00:05:00", "eD2_Level3",
         "eD2_Delay3", "comboD2=3", "sbD2=6", "eD2_Delay3==01:30:00", "eD2_Level4", "eD2_Delay4", "comboD2=3",
         "sbD2=60", "eD2_Delay4==15:00:00", "bDimmer2OK"});
    EXPECT_EQ(steps(), stepList({0, 0, 0x32, 0x5E, 0, 0x64, 0xC6, 0, 0x64, 0xFC, 0, 0x64}));
}

// Times outside the night, long fades, levels above 100, a step behind a gap: kept or dropped.
TEST_F(DimmingEngineTest, Engine1ShowsAndKeepsOddStepsAndDropsThoseBehindAGap)
{
    show(stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE, 0x00, 0x00, 0xFF, 0x3C, 0x00, 0x64}), img::dim1Steps);
    act({"iISD1_en", "eD1_Time1==14:20:00", "eD1_Fade1==54,900", "eD1_Level1==120", "eD1_Time2==10:00:00",
         "eD1_Fade2==56,700", "eD1_Level2==126", "rbD1_Off2==+", "eD1_Time4==00:00:00", "eD1_Level4==-"});
    EXPECT_TRUE(enabled(3) && !enabled(4));
    click("bDimmer1_OK");
    EXPECT_EQ(steps(), stepList({0x8C, 0xFD, 0x78, 0x78, 0xFF, 0xFE}));
}

// Long delays kept; level 127 relay off (the empty-step byte) stored as 100; minimum level > 100.
TEST_F(DimmingEngineTest, Engine2KeepsLongCodesAndNeverStoresAUsedStepAsEmpty)
{
    e = engine2;
    show(stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64, 0x00, 0x00, 0xFF, 0x0A, 0x00, 0x64}), img::dim2Steps);
    act({"iISD2_en", "eD2_Delay1==15:15:00", "eD2_Fade1==56,700", "eD2_Level1==127", "eD2_Delay2==15:45:00",
         "eD2_Fade2==55,800", "eD2_Delay4==0", "eD2_Level4==-"});
    EXPECT_TRUE(enabled(3) && !enabled(4));
    act({"eD2_Delay2", "comboD2==3", "sbD2==60", "eD2_Delay2==15:45:00", "bDimmer2OK"});
    EXPECT_EQ(steps(), stepList({0xFD, 0xFF, 0x7F, 0xFF, 0xFE, 0x64}));
    act({"iISD2_en", "rbD2_Off1", "bDimmer2OK"});
    EXPECT_EQ(steps(), stepList({0xFD, 0xFF, 0xE4, 0xFF, 0xFE, 0x64}));
    EXPECT_EQ(image()[img::featureFlags], 0x0C);

    load({{img::minLevel, 150}});
    act({"iISD2_en", "eD2_Level1", "sbD2==100", "eD2_Level2", "eD2_Level2==100"});
    EXPECT_EQ(slider("sbD2")->minimum(), 100);
}

// Each delete box stands beside its own row: its middle lies within the row's group box.
TEST_F(DimmingEngineTest, EachDeleteBoxStandsBesideItsRow)
{
    for (const Engine& engine : {engine1, engine2})
        for (int k = 2; k <= 10; ++k) {
            e = engine;
            QWidget *row = h->find(c("ED#_gb", k)), *box = h->find(c("ED#_cbDel", k));
            const int middle = box->mapTo(row->parentWidget(), QPoint(0, box->height() / 2)).y();
            EXPECT_TRUE(middle >= row->y() && middle < row->y() + row->height()) << box->objectName().toStdString();
        }
}
