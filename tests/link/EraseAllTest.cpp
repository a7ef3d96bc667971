// "Erase ALL": a confirmation, the erase request, the restart with the switches only (no curve is handed on);
// No, no device or a busy window send nothing.

#include "link/EraseAll.h"
#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

TEST(EraseAll, YesErasesTheDeviceAndRestartsNoNoDeviceOrABusyWindowSendNothing)
{
    const QStringList asked = {"Are youe sure?"};
    const struct { const char* what; bool yes, present, busy; QStringList messages, confirmations; int beeps; } cases[] = {
        {"Yes", true, true, false, {}, asked, 0},
        {"No", false, true, false, {}, asked, 1},
        {"no device", true, false, false, {"   USB Error!   "}, {}, 0},
        {"busy", true, true, true, {}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DriverRig rig;
        rig.storeSlot(2, Bytes(defaultImage.begin(), defaultImage.end()), QStringLiteral("Two"));
        rig.device.written.clear();
        rig.state.sw.cmdLineArgs = QStringLiteral(" -eraseAll");
        rig.state.sw.dcIndex = 1;
        rig.device.present = c.present;
        rig.state.formDisabled = c.busy;
        rig.platform.confirmAnswers = {c.yes};
        bEraseClick(rig.state, rig.link, rig.platform);
        EXPECT_EQ(rig.platform.messages, c.messages);
        EXPECT_EQ(rig.platform.confirmations, c.confirmations);
        EXPECT_EQ(rig.platform.beeps, c.beeps);
        rig.device.present = true;
        const bool erased = rig.driver().memory == std::vector<std::uint8_t>(0x10000, 0xFF);
        EXPECT_EQ(erased, c.what == std::string("Yes"));
        if (!erased) {
            EXPECT_TRUE(rig.device.written.empty());
            EXPECT_TRUE(rig.platform.restarts.empty());
            continue;
        }
        ASSERT_EQ(rig.device.written.size(), 1u);
        EXPECT_EQ(rig.device.written[0], (sim::Report{0xAA, 0x55, 0xFC, 0x00, 0x55, 0xAA, 0x00, 0x00}));
        EXPECT_EQ(rig.platform.restarts, std::vector<QString>{" -eraseAll"});
    }
}
