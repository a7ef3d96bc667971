// "Erase ALL": a confirmation, the erase request, the restart.

#include "link/EraseAll.h"
#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

namespace {

struct EraseRig : DriverRig {
    EraseRig()
    {
        storeSlot(2, Bytes(defaultImage.begin(), defaultImage.end()), QStringLiteral("Two"));
        device.written.clear();
        state.sw.cmdLineArgs = QStringLiteral(" -eraseAll");
        state.sw.dcIndex = 1;
    }
    bool erased() { return driver().memory == std::vector<std::uint8_t>(0x10000, 0xFF); }
    void click() { bEraseClick(state, link, platform); }
};

} // namespace

TEST(EraseAll, YesErasesTheDeviceAndRestartsWithTheSwitchesOnly)
{
    EraseRig rig;
    rig.platform.confirmAnswers = {true};
    rig.click();
    EXPECT_EQ(rig.platform.confirmations, QStringList{"Are youe sure?"});
    ASSERT_EQ(rig.device.written.size(), 1u);
    EXPECT_EQ(rig.device.written[0], (sim::Report{0xAA, 0x55, 0xFC, 0x00, 0x55, 0xAA, 0x00, 0x00}));
    EXPECT_TRUE(rig.erased());
    EXPECT_EQ(rig.platform.restarts, std::vector<QString>{" -eraseAll"}) << "no curve is handed on";
}

TEST(EraseAll, NoNoDeviceOrABusyWindowSendNothing)
{
    const struct { const char* what; bool present, busy; QStringList messages, confirmations; int beeps; } cases[] = {
        {"No", true, false, {}, {"Are youe sure?"}, 1},
        {"no device", false, false, {"   USB Error!   "}, {}, 0},
        {"busy", true, true, {}, {}, 0},
    };
    for (const auto& c : cases) {
        EraseRig rig;
        rig.device.present = c.present;
        rig.state.formDisabled = c.busy;
        rig.platform.confirmAnswers = {false};
        rig.click();
        EXPECT_EQ(rig.platform.messages, c.messages) << c.what;
        EXPECT_EQ(rig.platform.confirmations, c.confirmations) << c.what;
        EXPECT_EQ(rig.platform.beeps, c.beeps) << c.what;
        EXPECT_TRUE(rig.device.written.empty()) << c.what;
        EXPECT_TRUE(rig.platform.restarts.empty()) << c.what;
        rig.device.present = true;
        EXPECT_FALSE(rig.erased()) << c.what;
    }
}
