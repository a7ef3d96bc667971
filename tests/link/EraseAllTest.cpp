// "Erase ALL": a confirmation, the erase request, the restart with the switches only (no curve is handed on).

#include "link/EraseAll.h"
#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

TEST(EraseAll, YesErasesTheDeviceAndRestartsNoNoDeviceOrABusyWindowSendNothing)
{
    const struct { bool yes, present, busy; QStringList messages; int confirmations, beeps; } cases[] = {
        {true, true, false, {}, 1, 0}, {false, true, false, {}, 1, 1}, // Yes (the only one that erases), No
        {true, false, false, {"   USB Error!   "}, 0, 0}, {true, true, true, {}, 0, 0}};
    for (const auto& c : cases) {
        DriverRig rig;
        rig.state.sw.cmdLineArgs = QStringLiteral(" -eraseAll");
        rig.state.sw.dcIndex = 1;
        rig.device.present = c.present;
        rig.state.formDisabled = c.busy;
        rig.platform.confirmAnswers = {c.yes};
        bEraseClick(rig.state, rig.link, rig.platform);
        EXPECT_EQ(rig.platform.messages, c.messages);
        EXPECT_EQ(rig.platform.confirmations, QStringList(c.confirmations, "Are youe sure?"));
        EXPECT_EQ(rig.platform.beeps, c.beeps);
        const bool erase = &c == cases;
        EXPECT_EQ(rig.device.written, std::vector<sim::Report>(erase, {0xAA, 0x55, 0xFC, 0x00, 0x55, 0xAA, 0, 0}));
        EXPECT_EQ(rig.platform.restarts, std::vector<QString>(erase, " -eraseAll"));
    }
}
