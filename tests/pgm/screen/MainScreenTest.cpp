// The main screen drawn from the image, and its hints; the factory image is checked in the start-up test.

#include "PanelTesting.h"

#include "pgm/window/QtPlatform.h"

#include <QStyle>

TEST_F(PanelTest, MainScreenDrawsTheImageWithBoldLabelsOnWhite)
{
    const struct { ByteChanges changes; Steps checks; bool remoteDim = false; } rows[] = {
        {{{img::featureFlags, 0x0C | img::outputPwm}},
         {"?PWM", "?SW_PWM", "?iLst_en", "!Dali", "!iLST_pol", "?background"}}, // the schematic behind it all
        // The LST polarity is drawn even while the timer is off.
        {{{img::featureFlags, 0x04 | 0x10}}, {"?LST_dis", "?iLST_pol", "!iLst_en"}},
        // The hold time shows only with the LST timer.
        {{{img::holdTime, 70}}, {"?lHold", "lHold==00:01:00", "!HOLD_dis"}},
        {{{img::featureFlags, 0x04}, {img::holdTime, 70}}, {"?HOLD_dis", "?SW_hold_dis", "!lHold"}},
        {{{img::blockTime, 1}}, {"?SW_block_close", "?lBlock", "lBlock==00:00:05", "!sw_block_open", "!Block_dis"}},
        // Both remote inputs: 230 V wins; function none shows the second radio button's caption.
        {{{img::featureFlags, 0x0C | 0x20 | 0x40}},
         {"?rc_main", "?lRemote", "lRemote==MidNight Protect", "!rc_lst", "!rem_dis", "!lBlock"}},
        {{{img::featureFlags, 0x0C | 0x20}, {img::optionFlags, 0x11}}, {"?rc_main", "lRemote==MidNight"}},
        // Remote DIM blocks the LST and ISD switches only on the LST input, and no longer once the input is off.
        {{{img::featureFlags, 0x0C | 0x20}, {img::optionFlags, 0x21}}, {}},
        {{{img::featureFlags, 0x0C | 0x40}, {img::optionFlags, 0x21}}, {"?rc_lst", "lRemote==Remote DIM"}, true},
        // Levels in percent, 255 a random delay, five seconds per block step.
        {{{img::poLevel, 255}, {img::poDelay, 255}, {img::poFade, 255}, {img::minLevel, 255}, {img::blockTime, 255}},
         {"lPO_Level==L=255%", "lPO_Delay==D=Random", "lPO_Fade==F=56,700", "lMinLevel==Min. Level=255%", "?lBlock",
          "lBlock==00:21:15"}},
        // An engine whose first step is unused is switched off, in the image too (checked after the table).
        {{{img::dim2FirstLevel, 0xFF}, {img::dim1FirstLevel, 0xFF}}, {"?LST_dis", "?Astro_dis", "?dm1_dis"}},
    };
    h->state().formDisabled = true; // the remote panel is not opened here
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        load(row.changes);
        act(row.checks);
        EXPECT_EQ(h->state().remoteDim, row.remoteDim);
    }
    EXPECT_EQ(image()[img::featureFlags], 0x00);
    for (const QLabel* l : {h->find<QLabel>("lRemote"), h->find<QLabel>("lHold")}) // bold on white
        EXPECT_TRUE(l->font().bold() && l->autoFillBackground() && l->palette().window() == Qt::white);
    EXPECT_EQ(h->find<QLabel>("lRemote")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

// Tile hints only while "Show Hints" is ticked, for a minute; other hints are left alone.
TEST_F(PanelTest, MainScreenShowHintsSwitchesExactlyTheTilesAndOverlays)
{
    const std::pair<Steps, const char*> hints[] = {
        {{"MFF_dis", "iMFF_en"},
         "MFF (Maintenance Factor Function)\nReduction of the degree to which the luminous flux decreases\nover the "
         "service life of the light source.\n\nBBT (Burn-In Block Time)\nDisable dimming during the burn-in period\n"
         "of conventional light sources."},
        {{"Block_dis", "iTBlock_en"},
         "Timer\nAfter power on disable the power reduction/ dimming for\na configurable period of time."},
        {{"iTDpc_en"},
         "Power On\nConfigurable delay, fade and level immediately after power on.\n\nDPC (Delayed Switching for "
         "Pedestrian Crossing)\nThe lighting is switched on after a delay or switched off\nmore quickly in the "
         "vicinity of pedestrian crossings.\n\nDOO (Dimmed ON/OFF)\nThe lighting system is fade-in/out."},
        {{"LST_dis", "iLst_en", "iLST_pol"}, "230Vac Control Input"},
        {{"Astro_dis", "iISD_en"},
         "ISD(Intelligent Switching Time Dimming)\nThe dimming period is derived from the switch-on/off time."},
        {{"HOLD_dis", "iTHold_en"}, "Timer\nHold time, increase the impulse width for the control input."},
        {{"dm1_dis", "iISD1_en"}, "Dimming Engine 1\nTimer-controlled periods of dimmed light."},
        {{"dm2_dis", "iISD2_en"}, "Dimming Engine 2\nTimer-controlled periods of dimmed light."},
        {{"Dali", "iTen"}, "Control Output\nConfigurable DALI or 1-10V output"},
        {{"rem_dis", "iRemote_en"}, "Remote Control\nAllowing the change of configuration parameters."},
        {{"iRelay"}, "Relay\nChangeover relay output"},
    };
    h->find<QWidget>("bM1")->setToolTip("Info: Lamp");
    for (bool on : {true, false}) {
        tick("cbShowHints", on);
        for (const auto& [pictures, text] : hints)
            for (const char* p : pictures)
                EXPECT_TRUE(h->find(p)->toolTip() == (on ? text : "") && h->find(p)->toolTipDuration() == 60000)
                    << p;
    }
    EXPECT_EQ(h->find<QWidget>("bM1")->toolTip(), "Info: Lamp");
    QtPlatform::installHintStyle(); // hints show at once
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 0);
}
