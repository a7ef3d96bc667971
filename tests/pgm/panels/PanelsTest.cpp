// What every panel keeps to: no handler runs while another panel is open; OK writes its own fields only;
// Cancel writes nothing; help covers it until clicked.

#include "PanelTesting.h"

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
};

// Every feature on, with values, remote control on the 230 V input.
const ByteChanges allOn = {{img::featureFlags, 0xBC | img::outputDaliLog}, {img::blockTime, 3},
                           {img::holdTime, 70}, {img::mffLifetime, 1}, {img::tmT1, 60},
                           {img::optionFlags, img::remoteMidNight | 0x01}};

} // namespace

TEST_F(PanelsTest, FeatureHandlersDoNothingWhileAPanelIsOpen)
{
    const Steps handlers = {"iTDpc_en", "lPO_Fade", "SW_DALI", "Dali", "lMinLevel", "sw_block_open", "SW_block_close",
                            "sw_tm_off", "iTM", "sw_astro_open", "iISD_en", "SW_lst_close", "iLST_pol", "sw_hold_off",
                            "lHold", "rc_off", "rc_lst", "iRemote_en", "sw_mff_off", "iMFF_en", "iISD1_en", "iISD2_en",
                            "bLoad"};
    const Steps closed = {"!pStartupDelay", "!pOutput", "!pBlockTime", "!pThermoM", "!pISD", "!pTHold", "!pRemote",
                          "!pMFF", "!pDimmer1", "!pDimmer2", "!pBTSlider"};
    for (const bool on : {false, true}) {
        load(on ? allOn : ByteChanges{{img::featureFlags, 0}});
        const Bytes before = image();
        act({"iRelay", on ? "!dm1_dis" : "?dm1_dis", on ? "!iTM_dis" : "?iTM_dis"});
        for (const char* handler : handlers)
            if (shown(handler))
                clickOnScreen(handler);
        act(closed);
        act({on ? "!dm1_dis" : "?dm1_dis", on ? "!iTM_dis" : "?iTM_dis", "bRelay_Cancel"}); // the panel's buttons work
        EXPECT_EQ(differences(image(), before), "") << "features " << on;
        EXPECT_TRUE(h->platform.fileDialogTitles.isEmpty() && !busy());
    }
}

TEST_F(PanelsTest, OkWritesTheEditedFieldsAndNothingElse)
{
    play({
        {{{img::poDelay, 0}, {img::optionFlags, 0x31}},
         {"iTDpc_en", "ePORelayDelay", "combRange=2", "sbPU=15", "ePORelayDelay==00:15:00", "ePOFade", "combRange=3",
          "sbPU=7", "ePOFade==04,200", "ePOLevel", "sbPU=35", "cbEnableDPC+", "bDPC_OK", "!pStartupDelay",
          "lPO_Delay==D=00:15:00", "lPO_Fade==F=04,200", "lPO_Level==L=35%"},
         {{img::poLevel, 35}, {img::poDelay, 143}, {img::poFade, 196}, {img::optionFlags, 0x33}}},
        {{{img::featureFlags, 0x0C | img::outputDaliLog}, {img::minLevel, 10}, {img::optionFlags, 0x31}},
         {"lMinLevel", "?pOutput", "?cbDaliLog", "eMinLevel==10", "!pMinLevel", "eMinLevel", "?pMinLevel",
          "sbMinLevel=35", "eMinLevel==35", "cbDaliLog-", "cbStorePOL+", "bOutput_OK", "!pMinLevel",
          "lMinLevel==Min. Level=35%"},
         {{img::featureFlags, 0x0C | img::outputDaliLinear}, {img::minLevel, 35}, {img::optionFlags, 0x35}}},
        {{{img::relayFlags, 0xF1}}, {"iRelay", "?pRelay", "cbZCSwitch-", "bRelay_OK"}, {{img::relayFlags, 0xF0}}},
        {{},
         {"sw_tm_off", "eOutput_T1", "sbThermo=70", "eOutput_L1", "sbThermo=40", "cbOutput_Off+", "eOutput_T2",
          "sbThermo=60", "eOutput_L2", "sbThermo=50", "eOutput_T_Cal", "sbThermo=20", "bTMOk", "?sw_tm_on", "!iTM_dis"},
         {{img::featureFlags, 0x8C}, {img::tmT1, 70}, {img::tmL1, 168}, {img::tmT2, 60}, {img::tmL2, 50},
          {img::tmT3, 0}, {img::tmL3, 0}, {img::tmCal, 25}}},
        // The calibration edit always opens empty; OK without a new calibration clears it.
        {{{img::featureFlags, 0x8C}, {img::tmT1, 70}, {img::tmL1, 168}, {img::tmT2, 60}, {img::tmCal, 25}},
         {"iTM", "eOutput_L1==0", "eOutput_T2==60", "lCalWarning==Not empty:(20°C)!", "eOutput_T_Cal==", "bTMOk"},
         {{img::tmL1, 128}, {img::tmCal, 0xFF}}},
        // The block-time switch writes nothing until OK; 0 or the off switch leave it off.
        {{}, {"sw_block_open", "!pBTSlider", "bTBlockCancel", "?Block_dis", "sw_block_open", "bTBlockOK",
              "?Block_dis"}},
        {{},
         {"sw_block_open", "eBlockTime", "sbBlockTime=255", "eBlockTime==00:21:15", "bTBlockOK", "lBlock==00:21:15"},
         {{img::blockTime, 255}}},
        {{{img::blockTime, 7}},
         {"lBlock", "eBlockTime==00:00:35", "eBlockTime", "sbBlockTime=0", "bTBlockOK", "!lBlock"},
         {{img::blockTime, 0}}},
        {{{img::blockTime, 3}}, {"SW_block_close", "?Block_dis", "!lBlock", "!pBlockTime"}, {{img::blockTime, 0}}},
        {{{img::holdTime, 94}},
         {"lHold==00:05:00", "@lHold", "eHoldTime", "combHold=3", "sbHold=60", "bTHoldOK", "lHold==15:00:00", "!pTHold"},
         {{img::holdTime, 252}}},
        // Cancel at hold time 0 leaves the hold off; OK with a time shows it.
        {{}, {"sw_hold_off", "!HOLD_dis", "bTHoldCancel", "?HOLD_dis", "?sw_hold_off", "!lHold", "sw_hold_off",
              "eHoldTime", "sbHold=5", "bTHoldOK", "?lHold", "lHold==00:00:05"}, {{img::holdTime, 5}}},
        // 253..255 lie beyond the slider's 15:00:00 and keep their text when range 3 is chosen again.
        {{{img::holdTime, 254}}, {"iTHold_en", "eHoldTime", "combHold=3", "eHoldTime==15:30:00", "bTHoldOK"}},
    });
}

TEST_F(PanelsTest, CancelWritesNothingAndTheNextOpeningShowsTheImageAgain)
{
    const struct { const char *panel, *open; Steps edit; const char* cancel; } runs[] = {
        {"pStartupDelay", "iTDpc_en", {"ePOFade", "sbPU=30", "cbEnableDPC+"}, "bDPC_Cancel"},
        {"pOutput", "Dali", {"eMinLevel", "sbMinLevel=80", "cbDaliLog-"}, "bOutput_Cancel"},
        {"pRelay", "iRelay", {"cbZCSwitch-"}, "bRelay_Cancel"},
        {"pBlockTime", "lBlock", {"eBlockTime", "sbBlockTime=200"}, "bTBlockCancel"},
        {"pThermoM", "iTM", {"eOutput_T2", "sbThermo=40", "cbOutput_Off+"}, "bTMCancel"},
        {"pISD", "iISD_en", {"cbDST", "cbADSTEnable", "eISDOffset", "sbISD=3"}, "bISDCancel"},
        {"pTHold", "iTHold_en", {"eHoldTime", "combHold=3", "sbHold=60"}, "bTHoldCancel"},
        {"pMFF", "iMFF_en", {"eLifeTime", "sbMFF=4", "eBurnIn", "sbMFF=7"}, "bMFFCancel"},
        {"pRemote", "iRemote_en", {"rbRemote"}, "bRemoteCancel"},
        {"pDimmer1", "iISD1_en", {"eD1_Time1", "sbD1=30", "ED1_cbDel2"}, "bDimmer1_Cancel"},
        {"pDimmer2", "iISD2_en", {"eD2_Level2", "eD2_Delay2", "sbD2=30", "rbD2_Off1"}, "bDimmer2Cancel"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.panel);
        load(allOn);
        const Bytes before = image();
        clickOnScreen(run.open);
        ASSERT_TRUE(shown(run.panel) && busy());
        const QStringList opened = state(run.panel);
        act(run.edit);
        EXPECT_NE(state(run.panel), opened) << "the edit shows";
        click(run.cancel);
        EXPECT_EQ(differences(image(), before), "");
        EXPECT_FALSE(shown(run.panel) || busy());
        clickOnScreen(run.open);
        EXPECT_EQ(state(run.panel), opened);
        click(run.cancel);
    }
}

// The help picture covers the panel, buttons included, and a click on it or
// beside it gives the panel back.
TEST_F(PanelsTest, HelpCoversThePanelUntilClicked)
{
    const struct { Steps open, close; const char *panel, *help, *overlay, *picture; } helps[] = {
        {{"iTBlock_en"}, {"bTBlockCancel"}, "pBlockTime", "SpeedButton2", "pHelpBlock", "Image6"},
        {{"iTDpc_en"}, {"bDPC_Cancel"}, "pStartupDelay", "bHelpPowerOn", "pHelpPowerOn", "Image4"},
        {{"iISD2_en"}, {"bDimmer2Cancel"}, "pDimmer2", "bQuestion", "pHelpD1", "Image2"}, // engine 1 alike
        {{"iMFF_en"}, {"bMFFCancel"}, "pMFF", "bMFFHelp", "pHelpMFF", "iDummy2"},
        {{"iISD_en", "bAstroCalc"}, {"bCalcCancel", "bISDCancel"}, "pCalc", "bCalcHelp", "pCalcHelp", "iCalcHelp"},
    };
    load(allOn);
    for (const auto& c : helps) {
        SCOPED_TRACE(c.panel);
        act(c.open);
        QWidget* panel = h->find(c.panel);
        const QSize size = panel->size();
        click(c.help);
        EXPECT_TRUE(shown(c.overlay) && panel->rect().contains(h->find(c.overlay)->geometry())) << "the panel grows";
        EXPECT_FALSE(h->find<QLabel>(c.picture)->pixmap().isNull()) << "the help shows its picture";
        click(c.picture);
        EXPECT_TRUE(!shown(c.overlay) && panel->size() == size);
        click(c.help);
        EXPECT_EQ(clickAt(h->find(c.overlay), QPoint(2, 2)), "");
        EXPECT_TRUE(!shown(c.overlay) && shown(c.panel));
        act(c.close);
        EXPECT_FALSE(busy());
    }
}

// A click on a value edit alone never changes it, not even a value that the slider cannot show (between two
// steps, beyond its end, outside minLevel..100, a time outside the night, a level with the relay off); OK keeps
// the stored byte. Only a slider move writes.
TEST_F(PanelsTest, AClickAloneKeepsTheStoredValueAndASliderMoveWrites)
{
    const int e1 = img::dim1Steps, e2 = img::dim2Steps, level = img::stepLevel, fade = img::stepFade;
    const struct { ByteChanges load; const char *open, *edit, *ok, *move; std::uint8_t moved; } rows[] = {
        {{{img::poDelay, 191}}, "iTDpc_en", "ePORelayDelay", "bDPC_OK", "sbPU=5", 197}, // 01:03:00 to 01:15:00
        {{{img::poFade, 0xFF}}, "iTDpc_en", "ePOFade", "bDPC_OK", "sbPU=59", 231},      // 56,700 to 35,400
        {{{img::poLevel, 20}, {img::minLevel, 30}}, "iTDpc_en", "ePOLevel", "bDPC_OK", "sbPU=0", 20}, // stops at 30
        {{{img::poLevel, 150}}, "iTDpc_en", "ePOLevel", "bDPC_OK", "sbPU=99", 99},
        {{{img::holdTime, 191}}, "iTHold_en", "eHoldTime", "bTHoldOK", "sbHold=5", 197},
        {{{e1 + 3, 0x70}}, "iISD1_en", "eD1_Time2", "bDimmer1_OK", "sbD1=235", 0x6B},  // 09:20 to 08:55
        {{{e1, 0x8C}}, "iISD1_en", "eD1_Time1", "bDimmer1_OK", "sbD1=21", 0x95},       // 14:20 to 15:05
        {{{e1 + fade, 197}}, "iISD1_en", "eD1_Fade1", "bDimmer1_OK", "comboD1=2", 188}, // 04,500 to range 2's top
        {{{e1 + level, 0xB2}}, "iISD1_en", "eD1_Level1", "bDimmer1_OK", "sbD1=40", 0x28}, // relay off, then on
        {{{e2, 0xFE}}, "iISD2_en", "eD2_Delay1", "bDimmer2OK", "sbD2=59", 251},         // 15:30:00 to 14:45:00
        {{{e2 + fade, 127}}, "iISD2_en", "eD2_Fade1", "bDimmer2OK", "sbD2=11", 139},     // 00,630 to 00,660
        {{{e2 + level, 120}}, "iISD2_en", "eD2_Level1", "bDimmer2OK", "sbD2=99", 99},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.move);
        const auto [at, stored] = r.load[0];
        load(r.load);
        act({r.open});
        const QString shown = edit(r.edit);
        act({r.edit});
        EXPECT_EQ(edit(r.edit), shown);
        act({r.ok});
        EXPECT_EQ(image()[at], stored);
        act({r.open, r.edit, r.move, r.ok});
        EXPECT_EQ(image()[at], r.moved);
    }
}

// The captions of the slot buttons and the bottom bar; each panel's labels, sorted.
TEST_F(PanelsTest, CaptionsOfTheSlotButtonsAndThePanelsLabels)
{
    const std::pair<const char*, const char*> captions[] = {
        {"bM1", "M1"}, {"bM2", "M2"}, {"bM3", "M3"}, {"bM4", "M4"}, {"lInfo", "Info:"}, {"l60Hz", "60Hz Version"},
        {"pStartupDelay", "%|Delay|Fade Speed|Level|s/%"}, {"pOutput", "%|Minimum level"},
        {"pBlockTime", "Blocking Time|HH:MM:SS"}, {"pThermoM", "%|C°|C° -->|Not empty!|T1|T2|T3"},
        {"pISD", "HH:MM|HH:MM:SS|ISD Offset Time|Length of Night for DST End|Length of Night for DST Start"},
        {"pTHold", "HH:MM:SS|Input Hold Time"}, {"pMFF", "%|Burn-In Period|L1|L2|L3|Lifetime|Start Level|Stop Level|h"},
        {"pDimmer1", "DEL|Fade Speed|Level|Relay|Time|s/%"}, {"pDimmer2", "DEL|Delay|Fade Speed|Level|Relay|s/%"},
        {"pCalc", "Geographic Longitude|Min|Time Difference =  Offset|Time Zone"}, {"pAstroCalc", "-3|=>|N 50"},
    };
    for (auto [name, caption] : captions) {
        QList<QLabel*> labels = h->find(name)->findChildren<QLabel*>();
        labels << qobject_cast<QLabel*>(h->find(name)); // a slot button is a label itself
        QStringList texts;
        for (const QLabel* l : labels)
            if (l && !l->text().isEmpty() && !texts.contains(l->text()))
                texts << l->text();
        texts.sort();
        EXPECT_EQ(texts.join('|'), QString::fromUtf8(caption)) << name;
    }
}
