// Reading the slot records M1..M4 at start-up, and a slot's image.

#include "link/MemorySlots.h"
#include "link/ReplyWait.h"
#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

namespace {

Bytes configuration(std::uint8_t fill)
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    std::fill(image.begin() + 8, image.begin() + 40, fill);
    return image;
}

} // namespace

TEST(MemorySlots, StoredSlotsAreReadAndEmptyOnesAreNot)
{
    DriverRig rig;
    rig.storeSlot(2, configuration(0x21), QStringLiteral("Two"));
    rig.storeSlot(4, configuration(0x41), QString());
    rig.readDirectory();
    MemorySlots memory;
    memory[0].mString = QStringLiteral("stale");
    ASSERT_TRUE(readSlotPages(rig.link, rig.platform, rig.view, memory));

    EXPECT_TRUE(memory[0].mEmpty);
    EXPECT_EQ(memory[0].mString, "stale") << "an empty slot keeps its other fields";
    EXPECT_FALSE(memory[1].mEmpty);
    EXPECT_EQ(memory[1].mAddress, 0x4000);
    EXPECT_EQ(memory[1].mLength, 128);
    EXPECT_EQ(memory[1].mString, "Two     ");
    EXPECT_EQ(memory[1].mData, rig.at(0x4000, 128));
    EXPECT_TRUE(memory[2].mEmpty);
    EXPECT_EQ(memory[3].mData, rig.at(0xC000, 128));
    EXPECT_EQ(rig.sent({0xAA, 0x55, 0xF2}), 2) << "one read per stored slot";
    EXPECT_EQ(rig.view.caption, "....") << "a dot in the first and the eleventh round of each wait";
}

TEST(MemorySlots, DataLikeAReadHeaderOrAStickGreetingIsTakenAsData)
{
    // Image bytes 12k+6 and 12k+7 open a packet of a slot page; the first
    // name byte opens a packet of the control block.
    DriverRig rig;
    Bytes image = configuration(0x33);
    image[6] = 0xB2, image[7] = 0x50;   // thermal "Off" at 50 %, T2 80 degrees
    image[18] = 0xB2, image[19] = 0x51;
    image[30] = 0xC0, image[31] = 0x44; // "Off" at 64 %, T2 68 degrees
    rig.storeSlot(1, image, QStringLiteral(u"\u00B2P"));
    rig.storeSlot(2, image, QStringLiteral(u"\u00B2Q"));
    rig.storeSlot(3, image, QStringLiteral(u"\u00C0D"));
    rig.link.readControlBlock();
    ASSERT_TRUE(waitForReply(rig.platform, rig.view, [&rig] { return !rig.link.controlFlag; }));
    EXPECT_EQ(rig.link.controlBlock, rig.at(0xFF80, 128));
    MemorySlots memory;
    ASSERT_TRUE(readSlotPages(rig.link, rig.platform, rig.view, memory));

    EXPECT_FALSE(rig.link.usbStick);
    EXPECT_EQ(rig.view.caption, "........") << "two dots a wait: none of the four ran out";
    EXPECT_EQ(memory[2].mString, QStringLiteral(u"\u00C0D      "));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(memory[k].mData, rig.at(0x4000 * k, 128)) << "slot " << k + 1;
        Bytes back(128, 0);
        loadSlotImage(memory[k], back, true);
        EXPECT_EQ(Bytes(back.begin(), back.begin() + 96), Bytes(image.begin(), image.begin() + 96)) << "slot " << k + 1;
    }
}

TEST(MemorySlots, ReadThatStopsShortNeverCarriesAnotherSlotsBytes)
{
    DriverRig rig;
    rig.storeSlot(1, configuration(0x11), QStringLiteral("One"));
    rig.storeSlot(2, configuration(0x22), QStringLiteral("Two"));
    rig.readDirectory();
    rig.driver().faults.shortRead[0x4000] = 5;
    MemorySlots memory;
    ASSERT_TRUE(readSlotPages(rig.link, rig.platform, rig.view, memory));

    EXPECT_EQ(rig.view.caption, QString(2 + 11, '.')) << "the second wait ran out: eleven dots";
    const Bytes& m2 = memory[1].mData;
    EXPECT_TRUE(std::equal(m2.begin(), m2.begin() + 40, rig.at(0x4000, 40).begin()));
    EXPECT_EQ(Bytes(m2.begin() + 40, m2.end()), Bytes(88, 0xFF));

    // What arrived reaches the image; where nothing arrived the erase state
    // stands, and the records never received end the walk.
    Bytes image(128, 0);
    loadSlotImage(memory[1], image, true);
    const Bytes stored = configuration(0x22);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 30, stored.begin()));
    EXPECT_EQ(Bytes(image.begin() + 30, image.begin() + 36), Bytes(6, 0xFF));
    EXPECT_EQ(Bytes(image.begin() + 36, image.end()), Bytes(92, 0));
}

TEST(MemorySlots, ClosingTheWindowDuringAWaitEndsTheReading)
{
    DriverRig rig;
    rig.storeSlot(1, configuration(0x11), QStringLiteral("One"));
    rig.storeSlot(2, configuration(0x22), QStringLiteral("Two"));
    rig.readDirectory();
    rig.view.isClosed = true;
    MemorySlots memory;
    EXPECT_FALSE(readSlotPages(rig.link, rig.platform, rig.view, memory));
    EXPECT_EQ(rig.sent({0xAA, 0x55, 0xF2}), 1);
}

// Choosing a slot (astro data, bytes 96..127, empty slots) is tested on the
// window (SlotRowTest).
