// Slot entries of the control block. A store's entry bytes (M3, the
// firmware entry) are compared on the simulated device in DriverStoreTest.

#include "link/ControlBlock.h"

#include <gtest/gtest.h>

using namespace nolt;

TEST(ControlBlock, SlotEntryGivesLengthPageAddressAndName)
{
    Bytes block(128, 0xFF);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(readSlotEntry(block, k).valid) << "erased entry " << k;
    EXPECT_FALSE(readFirmwareEntry(block).valid);
    EXPECT_FALSE(readSlotEntry(Bytes(20, 0), 3).valid) << "a short block has no entry 3";

    const Bytes e = {0x8A, 0x65, 0xC2, 0x00, 0x80, 0x00, 0x80, 0x00, 'L', 'a', 'm', 'p', 0xFF, 'x', 'y', 'z'};
    std::copy(e.begin(), e.end(), block.begin() + 16);
    const SlotEntry s = readSlotEntry(block, 1);
    EXPECT_TRUE(s.valid);
    EXPECT_EQ(s.length, 128);
    EXPECT_EQ(s.address, 0x4000);
    EXPECT_EQ(s.name, "Lamp") << "0xFF ends the name";

    // Eight characters have no end byte; every byte but 0xFF is a character.
    const Bytes full = {0x8A, 0x65, 0xC2, 0, 0x80, 0, 0xFF, 0x01, 'A', 'B', 'C', 'D', 0xE9, 'F', 0x00, 'H'};
    std::copy(full.begin(), full.end(), block.begin());
    const SlotEntry f = readSlotEntry(block, 0);
    EXPECT_EQ(f.name, QString::fromLatin1("ABCD\xE9" "F") + QChar(0) + "H");
    EXPECT_EQ(f.address, (0x1FF * 128) & 0xFFFF) << "kept to 16 bits";
}

TEST(ControlBlock, NameBytesFromTheInformationText)
{
    const std::pair<QString, Bytes> cases[] = {
        {QStringLiteral("ABCDEFGHIJ"), {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
        {QString(QChar(0x20AC)) + "1", {0xAC, '1', 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}},
        {QString(), {'o', 'l', 'd', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, // kept as read
    };
    for (const auto& [name, bytes] : cases) {
        Bytes block(128, 0xFF);
        std::copy_n("old", 3, block.begin() + 16 + 8);
        writeSlotEntry(block, 2, 128, name);
        EXPECT_EQ(Bytes(block.begin() + 24, block.begin() + 32), bytes) << name.toStdString();
    }
}
