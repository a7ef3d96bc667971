// Slot entries of the control block; the entries a store writes are compared on the device in DriverStoreTest.

#include "link/ControlBlock.h"

#include <gtest/gtest.h>

using namespace nolt;

// Eight characters have no end byte, and every byte but 0xFF is a character; an entry outside the block is none.
TEST(ControlBlock, SlotEntryGivesLengthPageAddressAndName)
{
    Bytes block(128, 0xFF);
    EXPECT_FALSE(readSlotEntry(block, 0).valid) << "erased";
    EXPECT_FALSE(readFirmwareEntry(block).valid);
    EXPECT_FALSE(readSlotEntry(Bytes(20, 0), 3).valid);
    const Bytes e = {0x8A, 0x65, 0xC2, 0, 0x80, 0, 0x80, 0x00, 'A', 'B', 'C', 'D', 0xE9, 'F', 0x00, 'H', 0x8A, 0x65};
    std::copy(e.begin(), e.end(), block.begin());
    const SlotEntry s = readSlotEntry(block, 0);
    EXPECT_EQ(s.length, 128);
    EXPECT_EQ(s.address, 0x4000);
    EXPECT_EQ(s.name, QString::fromLatin1("ABCD\xE9" "F") + QChar(0) + "H");
    writeSlotEntry(block, 3, 128, QString(QChar(0x20AC)) + "123456789");
    EXPECT_EQ(Bytes(block.begin() + 40, block.begin() + 48), (Bytes{0xAC, '1', '2', '3', '4', '5', '6', '7'}));
    Bytes shortBlock(72, 0); // the firmware entry would end at byte 80: not written
    writeFirmwareEntry(shortBlock, 1, 2);
    EXPECT_EQ(shortBlock, Bytes(72, 0));
}
