// Slot and firmware entries of the control block.

#include "link/ControlBlock.h"

#include <gtest/gtest.h>

using namespace nolt;

namespace {

Bytes erased()
{
    return Bytes(128, 0xFF);
}

Bytes entry(const Bytes& block, int k)
{
    return Bytes(block.begin() + 16 * k, block.begin() + 16 * k + 16);
}

} // namespace

TEST(ControlBlock, ErasedBlockHoldsNoSlotAndNoFirmware)
{
    const Bytes block = erased();
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(readSlotEntry(block, k).valid);
    EXPECT_FALSE(readFirmwareEntry(block).valid);
    EXPECT_FALSE(readSlotEntry(Bytes(20, 0), 3).valid) << "a short block has no entry 3";
}

TEST(ControlBlock, SlotEntryGivesLengthPageAddressAndName)
{
    Bytes block = erased();
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

TEST(ControlBlock, StoreToM3WritesEntryTwo)
{
    Bytes block = erased();
    writeSlotEntry(block, 3, 128, QStringLiteral("Lamp"));
    EXPECT_EQ(entry(block, 2), (Bytes{0x8A, 0x65, 0xC2, 0x00, 0x80, 0x00, 0x00, 0x01,
                                      0x4C, 0x61, 0x6D, 0x70, 0x20, 0x20, 0x20, 0x20}));
    for (int k : {0, 1, 3, 4, 5, 6, 7})
        EXPECT_EQ(entry(block, k), Bytes(16, 0xFF)) << "entry " << k;
    EXPECT_EQ(slotPageAddress(3), 0x8000);
    EXPECT_EQ(slotPageAddress(4), 0xC000);
}

TEST(ControlBlock, NameBytesFromTheInformationText)
{
    struct Case {
        QString name;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("ABCDEFGHIJ"), {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}},
        {QString(QChar(0x20AC)) + "1", {0xAC, '1', 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}},
        {QString(), {'o', 'l', 'd', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, // kept as read
    };
    for (const Case& c : cases) {
        Bytes block = erased();
        std::copy_n("old", 3, block.begin() + 16 + 8);
        writeSlotEntry(block, 2, 128, c.name);
        EXPECT_EQ(Bytes(block.begin() + 24, block.begin() + 32), c.bytes) << c.name.toStdString();
    }
}

TEST(ControlBlock, FirmwareEntryLeavesItsNameBytes)
{
    Bytes block = erased();
    writeFirmwareEntry(block, 0x48, 200);
    EXPECT_EQ(entry(block, 4), (Bytes{0x8A, 0x65, 0xC1, 0x48, 0xC8, 0x00, 0x04, 0x00,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    const FirmwareEntry f = readFirmwareEntry(block);
    EXPECT_TRUE(f.valid);
    EXPECT_EQ(f.version, 0x48);
}

TEST(ControlBlock, ClearingSlot3TouchesOnlyItsNameBytes)
{
    Bytes block(128);
    for (int i = 0; i < 128; ++i)
        block[i] = static_cast<std::uint8_t>(i);
    Bytes expected = block;
    std::fill(expected.begin() + 40, expected.begin() + 48, 0xFF);
    clearSlotName(block, 3);
    EXPECT_EQ(block, expected);
    clearSlotName(block, 0); // no slot chosen
    EXPECT_EQ(block, expected);
}
