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

// What arrived reaches the image; where nothing arrived the erase state stands, and the records never received
// end the walk; the next slot's page is read in step. Closing the window during a wait ends the reading.
TEST(MemorySlots, ReadThatStopsShortNeverCarriesAnotherSlotsBytes)
{
    DriverRig rig;
    for (const auto& [slot, name] : {std::pair{1, "One"}, {2, "Two"}, {3, "Three"}})
        rig.storeSlot(slot, Bytes(128, static_cast<std::uint8_t>(0x11 * slot)), QString::fromLatin1(name));
    rig.readDirectory();
    rig.driver().faults.shortRead[0x4000] = 5;
    MemorySlots memory;
    ASSERT_TRUE(readSlotPages(rig.link, rig.platform, rig.view, memory));
    EXPECT_EQ(rig.view.caption, QString(2 + 11 + 2, '.')) << "the second wait ran out: eleven dots";
    EXPECT_EQ(memory[2].mData, rig.at(0x8000, 128));
    const Bytes& m2 = memory[1].mData;
    EXPECT_TRUE(std::equal(m2.begin(), m2.begin() + 40, rig.at(0x4000, 40).begin()));
    EXPECT_EQ(Bytes(m2.begin() + 40, m2.end()), Bytes(88, 0xFF));
    Bytes image(128, 0);
    loadSlotImage(memory[1], image, true);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 30), Bytes(30, 0x22));
    EXPECT_EQ(Bytes(image.begin() + 30, image.begin() + 36), Bytes(6, 0xFF));
    EXPECT_EQ(Bytes(image.begin() + 36, image.end()), Bytes(92, 0));
    rig.view.isClosed = true;
    rig.device.written.clear();
    EXPECT_FALSE(readSlotPages(rig.link, rig.platform, rig.view, memory));
    EXPECT_EQ(rig.sent({0xAA, 0x55, 0xF2}), 1);
}
