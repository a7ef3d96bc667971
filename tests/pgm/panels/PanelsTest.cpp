// What every panel keeps to: its handlers on the main screen do nothing
// while another panel is open; Cancel writes nothing and the next opening
// shows the image again; its help covers it until clicked; and on images
// with any bytes (from files and devices) it opens, edits and confirms
// without failing and writes nothing outside its own fields.

#include "PanelTesting.h"

#include <map>
#include <random>

using namespace nolt;
using namespace nolt::test;

namespace {

struct PanelsTest : PanelTest {
    // What a panel shows: its edits' texts and edit marks, its boxes' ticks.
    QStringList state(const QString& panel) const
    {
        QStringList s;
        for (const ClickEdit* e : h->find(panel)->findChildren<ClickEdit*>())
            s << e->objectName() + "=" + e->text() + (e->isEdited() ? "*" : "");
        for (const QAbstractButton* b : h->find(panel)->findChildren<QAbstractButton*>())
            if (b->isCheckable())
                s << b->objectName() + (b->isChecked() ? "+" : "-");
        return s;
    }
    std::vector<bool> shownOf(const std::vector<const char*>& names) const
    {
        std::vector<bool> v;
        for (const char* n : names)
            v.push_back(shown(n));
        return v;
    }
    void clicks(std::initializer_list<const char*> names) const
    {
        for (const char* n : names)
            click(n);
    }
};

// Every feature on, with values, remote control on the 230 V input.
const ByteChanges allOn = {{img::featureFlags, 0xBC | img::outputDaliLog}, {img::blockTime, 3},
                           {img::holdTime, 70}, {img::mffLifetime, 1}, {img::tmT1, 60},
                           {img::optionFlags, img::remoteMidNight | 0x01}};

} // namespace

TEST_F(PanelsTest, FeatureHandlersDoNothingWhileAPanelIsOpen)
{
    const std::vector<const char*> handlers = {
        "iTDpc_en", "lPO_Delay", "lPO_Fade", "lPO_Level", "SW_DALI", "SW_PWM", "SW_Ten", "Dali", "PWM", "iTen",
        "lMinLevel", "sw_block_open", "SW_block_close", "iTBlock_en", "lBlock", "sw_tm_off", "sw_tm_on", "iTM",
        "sw_astro_open", "SW_astro_close", "iISD_en", "sw_lst_open", "SW_lst_close", "iLst_en", "iLST_pol",
        "sw_hold_off", "sw_hold_on", "iTHold_en", "lHold", "rc_off", "rc_main", "rc_lst", "iRemote_en", "lRemote",
        "sw_mff_off", "SW_mff_on", "iMFF_en", "iISD1_en", "iISD2_en", "bLoad", "bSave"};
    std::vector<const char*> watched = {
        "pStartupDelay", "pOutput", "pBlockTime", "pThermoM", "pISD", "pTHold", "pRemote", "pMFF", "pDimmer1",
        "pDimmer2", "LST_dis", "Astro_dis", "dm1_dis", "dm2_dis", "HOLD_dis", "Block_dis", "MFF_dis", "rem_dis",
        "iTM_dis"};
    watched.insert(watched.end(), handlers.begin(), handlers.end());
    for (const bool on : {false, true}) {
        load(on ? allOn : ByteChanges{{img::featureFlags, 0}});
        click("iRelay");
        ASSERT_TRUE(busy());
        const Bytes before = image();
        const auto shownBefore = shownOf(watched);
        for (const char* name : handlers)
            click(name);
        EXPECT_EQ(differences(image(), before), "") << "features " << on;
        EXPECT_EQ(shownOf(watched), shownBefore) << "features " << on;
        EXPECT_TRUE(h->platform.fileDialogTitles.isEmpty());
        click("bRelay_Cancel");
        EXPECT_FALSE(busy()) << "the open panel's buttons work while the window is busy";
    }
    click("lPO_Fade");
    click("iRelay");
    EXPECT_FALSE(shown("pRelay"));
}

TEST_F(PanelsTest, CancelWritesNothingAndTheNextOpeningShowsTheImageAgain)
{
    const struct {
        const char* panel;
        std::vector<const char*> open;
        std::function<void(PanelsTest&)> edit;
        const char* cancel;
    } runs[] = {
        {"pStartupDelay", {"iTDpc_en"},
         [](PanelsTest& t) { t.clicks({"ePORelayDelay"}); t.slide("sbPU", 30); t.tick("cbEnableDPC", true); },
         "bDPC_Cancel"},
        {"pOutput", {"Dali"},
         [](PanelsTest& t) { t.clicks({"eMinLevel"}); t.slide("sbMinLevel", 80); t.tick("cbDaliLog", false); },
         "bOutput_Cancel"},
        {"pRelay", {"iRelay"}, [](PanelsTest& t) { t.tick("cbZCSwitch", false); }, "bRelay_Cancel"},
        {"pBlockTime", {"lBlock"}, [](PanelsTest& t) { t.clicks({"eBlockTime"}); t.slide("sbBlockTime", 200); },
         "bTBlockCancel"},
        {"pThermoM", {"iTM"},
         [](PanelsTest& t) { t.clicks({"eOutput_T2"}); t.slide("sbThermo", 40); t.tick("cbOutput_Off", true); },
         "bTMCancel"},
        {"pISD", {"iISD_en"},
         [](PanelsTest& t) { t.clicks({"cbDST", "cbADSTEnable", "eISDOffset"}); t.slide("sbISD", 3); },
         "bISDCancel"},
        {"pTHold", {"iTHold_en"},
         [](PanelsTest& t) { t.clicks({"eHoldTime"}); t.chooseRange("combHold", 3); t.slide("sbHold", 60); },
         "bTHoldCancel"},
        {"pMFF", {"iMFF_en"},
         [](PanelsTest& t) { t.clicks({"eLifeTime"}); t.slide("sbMFF", 4); t.clicks({"eBurnIn"}); t.slide("sbMFF", 7); },
         "bMFFCancel"},
        {"pRemote", {"iRemote_en"}, [](PanelsTest& t) { t.clicks({"rbRemote"}); }, "bRemoteCancel"},
        {"pDimmer1", {"iISD1_en"},
         [](PanelsTest& t) { t.clicks({"eD1_Time1"}); t.slide("sbD1", 30); t.clicks({"ED1_cbDel2"}); },
         "bDimmer1_Cancel"},
        {"pDimmer2", {"iISD2_en"},
         [](PanelsTest& t) { t.clicks({"eD2_Level2", "eD2_Delay2"}); t.slide("sbD2", 30); t.clicks({"rbD2_Off1"}); },
         "bDimmer2Cancel"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.panel);
        load(allOn);
        const Bytes before = image();
        for (const char* name : run.open)
            clickOnScreen(name);
        ASSERT_TRUE(shown(run.panel));
        const QStringList opened = state(run.panel);
        run.edit(*this);
        EXPECT_NE(state(run.panel), opened) << "the edit shows";
        click(run.cancel);
        EXPECT_EQ(differences(image(), before), "");
        EXPECT_FALSE(shown(run.panel) || busy());
        for (const char* name : run.open)
            clickOnScreen(name);
        EXPECT_EQ(state(run.panel), opened);
        click(run.cancel);
    }
}

// The help picture covers the panel, buttons included, and a click on it or
// beside it gives the panel back.
TEST_F(PanelsTest, HelpCoversThePanelUntilClicked)
{
    const struct { std::vector<const char*> open, close; const char *panel, *help, *overlay, *picture; } helps[] = {
        {{"iTBlock_en"}, {"bTBlockCancel"}, "pBlockTime", "SpeedButton2", "pHelpBlock", "Image6"},
        {{"iTDpc_en"}, {"bDPC_Cancel"}, "pStartupDelay", "bHelpPowerOn", "pHelpPowerOn", "Image4"},
        {{"iISD1_en"}, {"bDimmer1_Cancel"}, "pDimmer1", "bHelpD1a", "pHelpD1a", "Image3"},
        {{"iISD2_en"}, {"bDimmer2Cancel"}, "pDimmer2", "bQuestion", "pHelpD1", "Image2"},
        {{"iMFF_en"}, {"bMFFCancel"}, "pMFF", "bMFFHelp", "pHelpMFF", "iDummy2"},
        {{"iISD_en", "bAstroCalc"}, {"bCalcCancel", "bISDCancel"}, "pCalc", "bCalcHelp", "pCalcHelp", "iCalcHelp"},
    };
    load(allOn);
    for (const auto& c : helps) {
        SCOPED_TRACE(c.panel);
        for (const char* name : c.open)
            click(name);
        QWidget* panel = h->find(c.panel);
        const QSize size = panel->size();
        click(c.help);
        EXPECT_TRUE(shown(c.overlay));
        EXPECT_TRUE(panel->rect().contains(h->find(c.overlay)->geometry())) << "the panel grows to hold the help";
        click(c.picture);
        EXPECT_FALSE(shown(c.overlay));
        EXPECT_EQ(panel->size(), size);
        click(c.help);
        QTest::mouseClick(h->find(c.overlay), Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_FALSE(shown(c.overlay));
        EXPECT_TRUE(shown(c.panel));
        for (const char* name : c.close)
            click(name);
        EXPECT_FALSE(busy());
    }
}

TEST_F(PanelsTest, AnyImageBytesStayOutsideThePanelsFields)
{
    using FieldMask = std::map<int, std::uint8_t>; // the bits a panel may change, by offset
    const struct {
        const char* name;
        FieldMask fields;
        std::function<void(PanelsTest&)> edit;
    } runs[] = {
        {"power-on", {{img::poLevel, 0xFF}, {img::poDelay, 0xFF}, {img::poFade, 0xFF}, {img::optionFlags, 0x02}},
         [](PanelsTest& t) {
             t.clicks({"iTDpc_en", "ePOFade"});
             t.chooseRange("combRange", 3);
             t.clicks({"ePOLevel", "ePORelayDelay"});
             t.slide("sbPU", 60);
             t.tick("cbEnableDPC", true);
             t.clicks({"bDPC_OK"});
         }},
        {"output", {{img::featureFlags, 0x03}, {img::minLevel, 0xFF}, {img::optionFlags, 0x04}},
         [](PanelsTest& t) {
             t.clicks({"iTen", "eMinLevel"});
             t.slide("sbMinLevel", 7);
             t.tick("cbDaliLog", false);
             t.clicks({"bOutput_OK"});
         }},
        {"relay", {{img::relayFlags, 0x01}}, [](PanelsTest& t) { t.clicks({"iRelay", "bRelay_OK"}); }},
        {"thermal",
         {{img::featureFlags, 0x80}, {img::tmT1, 0xFF}, {img::tmL1, 0xFF}, {img::tmT2, 0xFF}, {img::tmL2, 0xFF},
          {img::tmT3, 0xFF}, {img::tmL3, 0xFF}, {img::tmCal, 0xFF}},
         [](PanelsTest& t) {
             for (const char* e : {"eOutput_T1", "eOutput_T2", "eOutput_T3", "eOutput_L1", "eOutput_T_Cal"}) {
                 t.clicks({"iTM", e});
                 t.slide("sbThermo", 84);
                 t.clicks({"bTMOk"});
             }
         }},
        {"block time", {{img::blockTime, 0xFF}},
         [](PanelsTest& t) {
             t.clicks({"iTBlock_en", "eBlockTime"});
             t.slide("sbBlockTime", 200);
             t.clicks({"bTBlockOK"});
         }},
    };
    std::mt19937 random(20240611);
    for (int round = 0; round < 12; ++round) {
        Bytes e(img::imageSize);
        for (auto& b : e)
            b = static_cast<std::uint8_t>(random());
        // The remote control on the LST input opens its own panel.
        e[img::featureFlags] &= ~(1u << img::bitRemoteLst);
        for (const auto& run : runs) {
            show(e);
            const Bytes before = image();
            run.edit(*this);
            EXPECT_FALSE(busy()) << run.name;
            for (int i = 0; i < img::imageSize; ++i) {
                const auto field = run.fields.find(i);
                const std::uint8_t mask = field == run.fields.end() ? 0 : field->second;
                EXPECT_EQ((image()[i] ^ before[i]) & ~mask, 0) << run.name << ", byte " << i << ", round " << round;
            }
        }
    }
}

// Clicking a value edit and pressing OK keeps the stored value, even one
// beyond the slider's end or between two of its steps.
TEST_F(PanelsTest, ClickingAValueEditAloneKeepsTheStoredValue)
{
    const struct { int byte; std::uint8_t code; const char *tile, *edit, *ok; } cases[] = {
        {img::poDelay, 0xFE, "iTDpc_en", "ePORelayDelay", "bDPC_OK"},        // 15:30:00
        {img::poFade, 197, "iTDpc_en", "ePOFade", "bDPC_OK"},                // 04,500
        {img::dim1Steps + 1, 0xFF, "iISD1_en", "eD1_Fade1", "bDimmer1_OK"},  // 56,700
        {img::dim2Steps, 0xFE, "iISD2_en", "eD2_Delay1", "bDimmer2OK"},      // 15:30:00
    };
    for (const auto& c : cases) {
        load({{c.byte, c.code}});
        clicks({c.tile, c.edit, c.ok});
        EXPECT_EQ(image()[c.byte], c.code) << c.edit;
    }
}
