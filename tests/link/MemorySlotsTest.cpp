// Reading the slot records M1..M4 at start-up, and a slot's image. Choosing a slot: SlotRowTest.

#include "link/MemorySlots.h"
#include "link/ReplyWait.h"
#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

// Image bytes 12k+6 and 12k+7 open a packet of a slot page; the first name byte opens a packet of the control
// block. An empty slot is not read and keeps its other fields.
TEST(MemorySlots, DataLikeAReadHeaderOrAStickGreetingIsTakenAsData)
{
    DriverRig rig;
    Bytes image(128, 0x33);
    image[6] = 0xB2, image[7] = 0x50;   // thermal "Off" at 50 %, T2 80 degrees
    image[18] = 0xB2, image[19] = 0x51;
    image[30] = 0xC0, image[31] = 0x44; // "Off" at 64 %, T2 68 degrees
    for (const auto& [slot, name] : {std::pair{1, u"\u00B2P"}, {2, u"\u00B2Q"}, {3, u"\u00C0D"}})
        rig.storeSlot(slot, image, QString::fromUtf16(name));
    rig.link.readControlBlock();
    ASSERT_TRUE(waitForReply(rig.platform, rig.view, [&rig] { return !rig.link.controlFlag; }));
    EXPECT_EQ(rig.link.controlBlock, rig.at(0xFF80, 128));
    MemorySlots memory;
    memory[3].mString = QStringLiteral("stale");
    ASSERT_TRUE(readSlotPages(rig.link, rig.platform, rig.view, memory));
    EXPECT_EQ(rig.view.caption, "........") << "two dots a wait: none of the four ran out";
    EXPECT_EQ(rig.sent({0xAA, 0x55, 0xF2}), 4) << "the control block and one read per stored slot";
    EXPECT_EQ(memory[2].mString, QStringLiteral(u"\u00C0D      "));
    EXPECT_TRUE(memory[3].mEmpty);
    EXPECT_EQ(memory[3].mString, "stale");
    for (int k = 0; k < 3; ++k) {
        Bytes back(128, 0);
        loadSlotImage(memory[k], back, true);
        EXPECT_EQ(Bytes(back.begin(), back.begin() + 96), Bytes(image.begin(), image.begin() + 96)) << "slot " << k + 1;
    }
}

// A page read cut at each slot: read once more when the device is back, else the slot stays unread and is named;
// every slot read holds exactly the driver's page. Closing the window during a wait ends the reading.
TEST(MemorySlots, PageThatDoesNotComeWholeIsReadAgainOrLeftUnread)
{
    struct Row {
        const char* cut;
        int unplugAfter, absentProbes; // output reports: the page requests of M1..M4
        int shortAt;                   // page address cut after five packets, or -1
        std::array<int, 4> requests;   // page requests the driver received per slot
        std::array<bool, 4> unread;
        const char* message;
    } rows[] = {
        {"M1 pulled, back at the probe", 1, 0, -1, {2, 1, 1, 1}, {false, false, false, false}, ""},
        {"M2 short while plugged in", -1, -1, 0x4000, {1, 2, 1, 1}, {false, true, false, false},
         "Could not read M2.\nPlug the driver in again."},
        {"M3 pulled, missed by one probe", 3, 1, -1, {1, 1, 1, 1}, {false, false, true, false},
         "Could not read M3.\nPlug the driver in again."},
        {"M3 pulled for good", 3, -1, -1, {1, 1, 1, 0}, {false, false, true, true},
         "Could not read M3, M4.\nPlug the driver in again."},
        {"M4 pulled for good", 4, -1, -1, {1, 1, 1, 1}, {false, false, false, true},
         "Could not read M4.\nPlug the driver in again."},
    };
    const char* names[] = {"Lamp", "Road", "Park", "Yard"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cut);
        DriverRig rig;
        for (int slot = 1; slot <= 4; ++slot) {
            Bytes image(defaultImage.begin(), defaultImage.end());
            image[img::minLevel] = static_cast<std::uint8_t>(11 * slot);
            rig.storeSlot(slot, image, QString::fromLatin1(names[slot - 1]));
        }
        rig.readDirectory();
        rig.driver().faults.unplugAfter = row.unplugAfter;
        rig.driver().faults.absentProbes = row.absentProbes;
        if (row.shortAt >= 0)
            rig.driver().faults.shortRead[row.shortAt] = 5;
        MemorySlots memory;
        ASSERT_TRUE(readSlotPages(rig.link, rig.platform, rig.view, memory));
        EXPECT_EQ(unreadSlotsMessage(memory), row.message);
        for (int k = 0; k < 4; ++k) {
            const auto address = static_cast<std::uint8_t>(0x40 * k);
            EXPECT_EQ(rig.sent({0xAA, 0x55, 0xF2, 0x10, 0x00, address}), row.requests[k]) << "M" << k + 1;
            EXPECT_EQ(memory[k].mUnread, row.unread[k]) << "M" << k + 1;
            if (row.unread[k])
                continue;
            Bytes image(128, 0);
            loadSlotImage(memory[k], image, true);
            EXPECT_EQ(image[img::minLevel], 11 * (k + 1)) << "M" << k + 1;
        }
    }
    DriverRig rig;
    rig.storeSlot(2, Bytes(128, 0x22), QStringLiteral("Two"));
    rig.storeSlot(3, Bytes(128, 0x33), QStringLiteral("Three"));
    rig.readDirectory();
    rig.view.isClosed = true;
    MemorySlots memory;
    EXPECT_FALSE(readSlotPages(rig.link, rig.platform, rig.view, memory));
    EXPECT_EQ(rig.sent({0xAA, 0x55, 0xF2}), 1);
}
