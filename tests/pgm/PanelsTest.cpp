// What every panel keeps to: its feature handlers do nothing while another
// panel is open, and on images with any bytes (from files and devices) it
// opens, edits and confirms without failing and writes nothing outside its
// own fields.

#include "PanelTesting.h"

#include <map>
#include <random>

using namespace nolt;
using namespace nolt::test;

namespace {

// The bits each panel may change, by image offset.
using FieldMask = std::map<int, std::uint8_t>;

struct PanelRun {
    const char* name;
    FieldMask fields;
    std::function<void(PanelTest&)> edit;
};

void click(PanelTest& t, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        t.h->click(n);
}

struct PanelsTest : PanelTest {};

} // namespace

TEST_F(PanelsTest, FeatureHandlersDoNothingWhileAPanelIsOpen)
{
    load({{img::featureFlags, 0x8C | img::outputDaliLog}, {img::blockTime, 3}});
    const Bytes before = image();
    h->click("iRelay");
    for (const char* name : {"iTDpc_en", "lPO_Delay", "lPO_Fade", "lPO_Level", "SW_DALI", "Dali", "lMinLevel",
                             "SW_block_close", "iTBlock_en", "lBlock", "sw_tm_on", "iTM"})
        h->click(name);
    EXPECT_EQ(differences(image(), before), "");
    for (const char* panel : {"pStartupDelay", "pOutput", "pBlockTime", "pThermoM"})
        EXPECT_FALSE(h->shown(panel)) << panel;
    EXPECT_TRUE(h->shown("SW_DALI"));
    EXPECT_TRUE(h->shown("lBlock"));
    h->click("bRelay_Cancel");
    EXPECT_FALSE(busy()) << "the open panel's buttons work while the window is busy";

    h->click("lPO_Fade");
    h->click("iRelay");
    EXPECT_FALSE(h->shown("pRelay"));
}

TEST_F(PanelsTest, AnyImageBytesStayOutsideThePanelsFields)
{
    const PanelRun runs[] = {
        {"power-on", {{img::poLevel, 0xFF}, {img::poDelay, 0xFF}, {img::poFade, 0xFF}, {img::optionFlags, 0x02}},
         [](PanelTest& t) {
             click(t, {"iTDpc_en", "ePOFade"});
             t.chooseRange("combRange", 3);
             click(t, {"ePOLevel", "ePORelayDelay"});
             t.slide("sbPU", 60);
             t.tick("cbEnableDPC", true);
             click(t, {"bDPC_OK"});
         }},
        {"output", {{img::featureFlags, 0x03}, {img::minLevel, 0xFF}, {img::optionFlags, 0x04}},
         [](PanelTest& t) {
             click(t, {"iTen", "eMinLevel"});
             t.slide("sbMinLevel", 7);
             t.tick("cbDaliLog", false);
             click(t, {"bOutput_OK"});
         }},
        {"relay", {{img::relayFlags, 0x01}}, [](PanelTest& t) { click(t, {"iRelay", "bRelay_OK"}); }},
        {"thermal",
         {{img::featureFlags, 0x80}, {img::tmT1, 0xFF}, {img::tmL1, 0xFF}, {img::tmT2, 0xFF}, {img::tmL2, 0xFF},
          {img::tmT3, 0xFF}, {img::tmL3, 0xFF}, {img::tmCal, 0xFF}},
         [](PanelTest& t) {
             for (const char* e : {"eOutput_T1", "eOutput_T2", "eOutput_T3", "eOutput_L1", "eOutput_T_Cal"}) {
                 click(t, {"iTM", e});
                 t.slide("sbThermo", 84);
                 click(t, {"bTMOk"});
             }
         }},
        {"block time", {{img::blockTime, 0xFF}},
         [](PanelTest& t) {
             click(t, {"iTBlock_en", "eBlockTime"});
             t.slide("sbBlockTime", 200);
             click(t, {"bTBlockOK"});
         }},
    };
    std::mt19937 random(20240611);
    for (int round = 0; round < 12; ++round) {
        Bytes e(img::imageSize);
        for (auto& b : e)
            b = static_cast<std::uint8_t>(random());
        // The remote control on the LST input opens its own panel.
        e[img::featureFlags] &= ~(1u << img::bitRemoteLst);
        for (const PanelRun& run : runs) {
            std::copy(e.begin(), e.end(), h->image().begin());
            h->form->setDisplay();
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
