// "Transfer" in driver mode: what the device holds, what the user is told and where the window is left.

#include "link/DriverStore.h"
#include "sim/SimCrc.h"
#include "support/DriverRig.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace nolt;
using namespace nolt::test;
using nolt::sim::AckFault;

namespace {

// A driver holding M1, the window editing a slot, with 200 bytes of firmware pending unless told otherwise.
struct StoreRig : DriverRig {
    Bytes before; // the device's memory before the store
    DriverStore store{state, link, platform, view};

    explicit StoreRig(int slot = 3, bool firmware = true)
    {
        storeSlot(1, Bytes(defaultImage.begin(), defaultImage.end()), QStringLiteral("First"));
        readDirectory();
        before = driver().memory;
        device.written.clear();
        state.eeBlock.assign(defaultImage.begin(), defaultImage.end());
        state.memSlot = slot;
        state.sw.cmdLineArgs = QStringLiteral(" -eraseAll foo");
        view.name = QStringLiteral("Lamp");
        view.buttonsShown = true;
        FirmwareState& fw = state.firmware;
        fw.fwImage.assign(12288, 0xFF);
        std::iota(fw.fwImage.begin(), fw.fwImage.begin() + 200, 1);
        fw.fwLength = 200;
        fw.fwImageVersion = 0x2A;
        fw.fwUpdatePending = firmware;
    }
    Bytes was(int address, int count) const { return {before.begin() + address, before.begin() + address + count}; }
};

} // namespace

TEST(DriverStore, StoreToM3WritesPageEntryFirmwareAndDirectoryThenRestarts)
{
    StoreRig rig(3);
    rig.store.bMemStoreClick({});
    EXPECT_TRUE(rig.platform.messages.isEmpty()) << rig.platform.messages.join('|').toStdString();
    const Bytes page = rig.at(0x8000, 128);
    for (int k = 0; k < 8; ++k) {
        const std::uint8_t* r = page.data() + 16 * k;
        ASSERT_EQ(r[0], 15);
        ASSERT_EQ(r[1], 12 * k);
        EXPECT_TRUE(std::equal(r + 2, r + 14, rig.state.eeBlock.begin() + 12 * k)) << "record " << k;
        EXPECT_EQ(r[14] | r[15] << 8, sim::crc16(r + 1, 13)) << "record " << k;
    }
    EXPECT_EQ(rig.at(0xFFA0, 16), (Bytes{0x8A, 0x65, 0xC2, 0x00, 0x80, 0x00, 0x00, 0x01, 'L', 'a', 'm', 'p', ' ', ' ',
                                         ' ', ' '}));
    EXPECT_EQ(rig.at(0xFF80, 16), rig.was(0xFF80, 16)) << "M1's entry goes back as it was read";
    EXPECT_EQ(rig.at(0xFFC0, 8), (Bytes{0x8A, 0x65, 0xC1, 0x2A, 0xC8, 0x00, 0x04, 0x00}));
    EXPECT_EQ(rig.at(0xFFC8, 8), rig.was(0xFFC8, 8)) << "the firmware entry's last bytes are untouched";
    Bytes fw(256, 0xFF); // two pages; the second ends in 56 bytes of 0xFF
    std::iota(fw.begin(), fw.begin() + 200, 1);
    EXPECT_EQ(rig.at(0x0200, 256), fw);
    EXPECT_EQ(rig.driver().pagesWritten, (std::vector<int>{0x8000, 0x0200, 0x0280, 0xFF80}));
    EXPECT_FALSE(rig.state.firmware.fwUpdatePending);
    EXPECT_TRUE(rig.state.firmware.fwImage.empty());
    EXPECT_EQ(rig.platform.restarts, std::vector<QString>{" -eraseAll foo"}) << "exactly the switches";
    EXPECT_FALSE(rig.state.formDisabled);
    EXPECT_FALSE(rig.platform.busyCursor);
    EXPECT_EQ(rig.device.lengthQueries, 3) << "the report lengths are asked once, when the link starts";
    StoreRig m1(1, false); // an empty name keeps the name read from the device
    m1.view.name.clear();
    m1.store.bMemStoreClick({});
    EXPECT_EQ(m1.at(0xFF88, 8), m1.was(0xFF88, 8));
    EXPECT_EQ(m1.driver().pagesWritten, (std::vector<int>{0x0000, 0xFF80})) << "no firmware pending, none written";
    StoreRig oneOver(2); // one byte past four pages needs a fifth; the entry holds the length's high byte
    oneOver.state.firmware.fwLength = 513;
    oneOver.state.firmware.fwImage[511] = 0x80, oneOver.state.firmware.fwImage[512] = 0x81;
    oneOver.store.bMemStoreClick({});
    EXPECT_EQ(oneOver.driver().pagesWritten,
              (std::vector<int>{0x4000, 0x0200, 0x0280, 0x0300, 0x0380, 0x0400, 0xFF80}));
    EXPECT_EQ(oneOver.at(0x03FF, 3), (Bytes{0x80, 0x81, 0xFF}));
    EXPECT_EQ(oneOver.at(0xFFC0, 8), (Bytes{0x8A, 0x65, 0xC1, 0x2A, 0x01, 0x02, 0x04, 0x00}));
    for (int slot : {0, 5}) { // no slot chosen, or none of the four: nothing is written
        StoreRig none(slot, false);
        none.store.bMemStoreClick({});
        EXPECT_TRUE(none.device.written.empty() && none.platform.restarts.empty()) << slot;
    }
    // Behind a stick the stick's write starts and the window is usable at once: no page, no curve, no restart.
    StoreRig stick(3);
    stick.link.usbStick = true;
    stick.state.dimmingCurve.assign(101, 0);
    int stickWrites = 0;
    stick.store.bMemStoreClick([&stickWrites] { ++stickWrites; });
    EXPECT_EQ(stickWrites, 1);
    EXPECT_TRUE(stick.driver().pagesWritten.empty());
    EXPECT_TRUE(std::equal(defaultImage.begin(), defaultImage.end(), stick.state.eeBlock.begin()));
    EXPECT_TRUE(stick.view.buttonsShown && !stick.state.formDisabled && !stick.platform.busyCursor);
    EXPECT_TRUE(stick.platform.restarts.empty());
}

// Every way the store can fail: the message, what the device then holds, and the state the window is left in.
TEST(DriverStore, FailureRows)
{
    const auto ack = [](int page, AckFault f) { return [=](StoreRig& r) { r.driver().faults.ack[page] = f; }; };
    const auto cfError = QStringList{"Firmware Write Error!CF"};
    const struct {
        const char* where;
        std::function<void(StoreRig&)> fault;
        QStringList messages;
        bool pageWritten, directoryWritten, restarted;
    } rows[] = {
        {"no device", [](StoreRig& r) { r.device.present = false; }, {"   USB Error!   "}, false, false, false},
        {"slot page refused", ack(0x8000, AckFault::Status0), cfError, false, false, false},
        {"slot page unacknowledged", ack(0x8000, AckFault::Missing), cfError, true, false, false},
        {"slot page acknowledged for another address", ack(0x8000, AckFault::OtherAddress), cfError, true, false, false},
        {"firmware page", ack(0x0280, AckFault::Status0), {"Firmware Write Error!FW"}, true, true, true},
        {"control block", ack(0xFF80, AckFault::Status0), {"Firmware Write Error!CB"}, true, false, false},
        {"firmware, then control block", [](StoreRig& r) {
             r.driver().faults.ack[0x0200] = AckFault::Missing;
             r.driver().faults.ack[0xFF80] = AckFault::Status0;
         }, {"Firmware Write Error!FW", "Firmware Write Error!CB"}, true, false, false},
        {"device silent", [](StoreRig& r) { r.driver().faults.silent = true; }, cfError, false, false, false},
        {"unplugged during the page", [](StoreRig& r) { r.driver().faults.unplugAfter = 5; }, cfError, false, false,
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        StoreRig rig(3);
        row.fault(rig);
        const Bytes image = rig.state.eeBlock;
        rig.store.bMemStoreClick({});
        EXPECT_EQ(rig.platform.messages, row.messages);
        rig.device.present = true; // to look at what it holds
        EXPECT_EQ(rig.at(0x8000, 128) != rig.was(0x8000, 128), row.pageWritten);
        EXPECT_EQ(rig.at(0xFF80, 128) != rig.was(0xFF80, 128), row.directoryWritten);
        EXPECT_EQ(!rig.platform.restarts.empty(), row.restarted);
        EXPECT_FALSE(rig.platform.busyCursor);
        if (row.messages.front().contains("USB")) {
            EXPECT_FALSE(rig.state.formDisabled) << "still editing";
            EXPECT_TRUE(rig.view.buttonsShown);
            EXPECT_TRUE(rig.device.written.empty());
            EXPECT_EQ(rig.state.eeBlock, image);
        } else if (!row.restarted) {
            EXPECT_TRUE(rig.state.formDisabled) << "back at the slot choice";
            EXPECT_TRUE(rig.view.slotsOffered);
            EXPECT_FALSE(rig.view.buttonsShown);
        }
        if (row.messages.contains("Firmware Write Error!FW")) {
            const Bytes& fw = rig.state.firmware.fwImage;
            ASSERT_EQ(fw.size(), 12288u) << "the firmware is kept";
            EXPECT_EQ(rig.at(0x0200, 128), Bytes(fw.begin(), fw.begin() + 128));
            EXPECT_TRUE(rig.state.firmware.fwUpdatePending) << "the firmware stays pending";
            EXPECT_EQ(rig.at(0xFFC0, 16), rig.was(0xFFC0, 16)) << "entry 4 unchanged";
        }
    }
}
