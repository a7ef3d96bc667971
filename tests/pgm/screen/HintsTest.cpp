// The hints: tile texts only while "Show Hints" is ticked, shown at once, for a minute, slot hints as plain text.

#include "DriverForm.h"

#include "pgm/window/QtPlatform.h"

#include <QApplication>
#include <QStyle>
#include <QTextDocument>

using namespace nolt;
using namespace nolt::test;

TEST(Hints, ShowHintsSwitchesExactlyTheTilesAndSlotHintsArePlainText)
{
    const std::pair<std::vector<const char*>, const char*> hints[] = {
        {{"MFF_dis", "iMFF_en"},
         "MFF (Maintenance Factor Function)\nReduction of the degree to which the luminous flux decreases\n"
         "over the service life of the light source.\n\nBBT (Burn-In Block Time)\n"
         "Disable dimming during the burn-in period\nof conventional light sources."},
        {{"Block_dis", "iTBlock_en"},
         "Timer\nAfter power on disable the power reduction/ dimming for\na configurable period of time."},
        {{"iTDpc_en"},
         "Power On\nConfigurable delay, fade and level immediately after power on.\n\n"
         "DPC (Delayed Switching for Pedestrian Crossing)\nThe lighting is switched on after a delay or switched off\n"
         "more quickly in the vicinity of pedestrian crossings.\n\nDOO (Dimmed ON/OFF)\n"
         "The lighting system is fade-in/out."},
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
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("A<B>C"));
    FormHarness& h = d.start();
    EXPECT_TRUE(h.find<QLabel>("iRelay")->toolTip().isEmpty()) << "off until ticked";
    for (bool on : {true, false}) {
        h.find<QCheckBox>("cbShowHints")->setChecked(on);
        for (const auto& [pictures, text] : hints) {
            for (const char* p : pictures) {
                EXPECT_EQ(h.find(p)->toolTip(), on ? text : "") << p;
                EXPECT_EQ(h.find(p)->toolTipDuration(), 60000) << p;
            }
        }
    }
    // Read as Qt reads a tool tip: markup when it looks like markup. Left alone by "Show Hints".
    const QString tip = d.slot(1)->toolTip();
    QTextDocument slotHint;
    Qt::mightBeRichText(tip) ? slotHint.setHtml(tip) : slotHint.setPlainText(tip);
    EXPECT_EQ(slotHint.toPlainText(), "Info: A<B>C   ");
    EXPECT_EQ(d.slot(1)->toolTipDuration(), 60000);
    QtPlatform::installHintStyle();
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 0) << "hints show at once";
}
