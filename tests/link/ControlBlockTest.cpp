// Slot entries of the control block and the name bytes a store writes; a store's entry bytes (M3, the firmware
// entry) are compared on the simulated device in DriverStoreTest.

#include "link/ControlBlock.h"

#include <gtest/gtest.h>

using namespace nolt;

TEST(ControlBlock, SlotEntryGivesLengthPageAddressAndName)
{
    Bytes block(128, 0xFF);
    EXPECT_FALSE(readSlotEntry(block, 0).valid) << "erased";
    EXPECT_FALSE(readFirmwareEntry(block).valid);
    EXPECT_FALSE(readSlotEntry(Bytes(20, 0), 3).valid) << "a short block has no entry 3";
    // Eight characters have no end byte; every byte but 0xFF is a character; 0xFF ends the name.
    const Bytes e = {0x8A, 0x65, 0xC2, 0, 0x80, 0, 0x80, 0x00, 'A', 'B', 'C', 'D', 0xE9, 'F', 0x00, 'H',
                     0x8A, 0x65, 0xC2, 0, 0x10, 0, 0xFF, 0x01, 'L', 'a', 'm', 'p', 0xFF, 'x', 'y', 'z'};
    std::copy(e.begin(), e.end(), block.begin());
    const SlotEntry s = readSlotEntry(block, 0);
    EXPECT_TRUE(s.valid);
    EXPECT_EQ(s.length, 128);
    EXPECT_EQ(s.address, 0x4000);
    EXPECT_EQ(s.name, QString::fromLatin1("ABCD\xE9" "F") + QChar(0) + "H");
    EXPECT_EQ(readSlotEntry(block, 1).name, "Lamp");
    EXPECT_EQ(readSlotEntry(block, 1).address, 0xFF80);

    const std::pair<QString, Bytes> names[] = {
        {QStringLiteral("ABCDEFGHIJ"), {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
        {QString(QChar(0x20AC)) + "1", {0xAC, '1', 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}},
    };
    for (const auto& [name, bytes] : names) {
        writeSlotEntry(block, 3, 128, name);
        EXPECT_EQ(Bytes(block.begin() + 40, block.begin() + 48), bytes) << name.toStdString();
    }
}
