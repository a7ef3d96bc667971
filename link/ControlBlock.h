#pragma once
// The control block: the 128-byte directory at device address 0xFF80, eight
// entries of 16 bytes. Entries 0..3 describe the slots M1..M4, entry 4 the
// firmware; entries 5..7 are kept as read.
//
// Slot entry:     8A 65 C2, 00, length (lo, hi), start page (lo, hi), name (8 bytes)
// Firmware entry: 8A 65 C1, version, length (lo, hi), 04 00, bytes 8..15 untouched
// An entry is valid when its first three bytes are its magic.

#include "image/ConfigImage.h"

#include <QString>

#include <cstdint>

namespace nolt {

namespace cb {
inline constexpr int entrySize = 16;
inline constexpr int slotCount = 4;
inline constexpr int firmwareEntry = 4;
inline constexpr int nameOffset = 8;
inline constexpr int nameLength = 8;
inline constexpr std::uint8_t magic0 = 0x8A, magic1 = 0x65;
inline constexpr std::uint8_t slotMagic2 = 0xC2, firmwareMagic2 = 0xC1;
inline constexpr std::uint8_t nameEnd = 0xFF;   // ends a shorter name
inline constexpr std::uint8_t namePad = 0x20;   // pads a stored name
inline constexpr int firmwarePage = 4;          // the firmware area starts at 0x0200
} // namespace cb

// Slot k = 1..4: its page number (128-byte units) and its page address.
int slotPageNumber(int slot);
int slotPageAddress(int slot);

struct SlotEntry {
    bool valid = false;
    std::uint16_t length = 0;  // stored length as recorded
    std::uint16_t address = 0; // page number x 128, kept to 16 bits
    QString name;              // bytes 8..15 up to the first 0xFF
};

struct FirmwareEntry {
    bool valid = false;
    int version = 0;
};

// Entry k (0..3) of a control block.
SlotEntry readSlotEntry(const Bytes& controlBlock, int entry);
FirmwareEntry readFirmwareEntry(const Bytes& controlBlock);

// Records slot 1..4 in its entry: magic, version 0, the stored length and
// the slot's page. A non-empty name fills the name bytes (at most 8
// characters, each as the low byte of its code, then blanks); an empty one
// leaves them as they were.
void writeSlotEntry(Bytes& controlBlock, int slot, int storedLength, const QString& name);
// Records the firmware: magic, version, length, first page; bytes 8..15 are
// not touched.
void writeFirmwareEntry(Bytes& controlBlock, int version, int length);
// The name bytes of slot 1..4 set to 0xFF; nothing else changes.
void clearSlotName(Bytes& controlBlock, int slot);

} // namespace nolt
