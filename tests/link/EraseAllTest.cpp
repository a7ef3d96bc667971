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
};

} // namespace

TEST(EraseAll, YesErasesTheDeviceAndRestartsWithTheSwitchesOnly)
{
    EraseRig rig;
    rig.platform.confirmAnswers = {true};
    bEraseClick(rig.state, rig.link, rig.platform);
    EXPECT_EQ(rig.platform.confirmations, QStringList{"Are youe sure?"});
    ASSERT_EQ(rig.device.written.size(), 1u);
    EXPECT_EQ(rig.device.written[0], (sim::Report{0xAA, 0x55, 0xFC, 0x00, 0x55, 0xAA, 0x00, 0x00}));
    EXPECT_TRUE(rig.erased());
    EXPECT_EQ(rig.platform.restarts, std::vector<QString>{" -eraseAll"}) << "no curve is handed on";
}

TEST(EraseAll, NoBeepsAndSendsNothing)
{
    EraseRig rig;
    rig.platform.confirmAnswers = {false};
    bEraseClick(rig.state, rig.link, rig.platform);
    EXPECT_EQ(rig.platform.beeps, 1);
    EXPECT_TRUE(rig.device.written.empty());
    EXPECT_FALSE(rig.erased());
    EXPECT_TRUE(rig.platform.restarts.empty());
}

TEST(EraseAll, WithoutDeviceOrWhileBusyNothingIsAsked)
{
    EraseRig rig;
    rig.device.present = false;
    bEraseClick(rig.state, rig.link, rig.platform);
    EXPECT_EQ(rig.platform.messages, QStringList{"   USB Error!   "});

    rig.device.present = true;
    rig.state.formDisabled = true;
    bEraseClick(rig.state, rig.link, rig.platform);
    EXPECT_EQ(rig.platform.messages.size(), 1);
    EXPECT_TRUE(rig.platform.confirmations.isEmpty());
    EXPECT_TRUE(rig.device.written.empty());
}
