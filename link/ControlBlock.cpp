#include "link/ControlBlock.h"

#include "link/DriverLink.h"

#include <algorithm>

namespace nolt {

namespace {

// Entries outside the block (a short block) read as invalid and are never
// written.
bool fits(const Bytes& block, int entry)
{
    return entry >= 0 && static_cast<std::size_t>((entry + 1) * cb::entrySize) <= block.size();
}

bool hasMagic(const Bytes& block, int entry, std::uint8_t magic2)
{
    const int at = entry * cb::entrySize;
    return fits(block, entry) && block[at] == cb::magic0 && block[at + 1] == cb::magic1
        && block[at + 2] == magic2;
}

void writeHeader(Bytes& block, int entry, std::uint8_t magic2, int version, int length, int page)
{
    std::uint8_t* e = block.data() + entry * cb::entrySize;
    e[0] = cb::magic0;
    e[1] = cb::magic1;
    e[2] = magic2;
    e[3] = static_cast<std::uint8_t>(version);
    e[4] = static_cast<std::uint8_t>(length);
    e[5] = static_cast<std::uint8_t>(length >> 8);
    e[6] = static_cast<std::uint8_t>(page);
    e[7] = static_cast<std::uint8_t>(page >> 8);
}

bool validSlot(int slot)
{
    return slot >= 1 && slot <= cb::slotCount;
}

} // namespace

int slotPageNumber(int slot)
{
    return (slot - 1) * 0x80;
}

int slotPageAddress(int slot)
{
    return slotPageNumber(slot) * pageSize;
}

SlotEntry readSlotEntry(const Bytes& block, int entry)
{
    SlotEntry s;
    if (!hasMagic(block, entry, cb::slotMagic2))
        return s;
    const std::uint8_t* e = block.data() + entry * cb::entrySize;
    s.valid = true;
    s.length = static_cast<std::uint16_t>(e[4] | e[5] << 8);
    s.address = static_cast<std::uint16_t>((e[6] | e[7] << 8) * pageSize);
    for (int i = cb::nameOffset; i < cb::entrySize && e[i] != cb::nameEnd; ++i)
        s.name += QChar(e[i]);
    return s;
}

FirmwareEntry readFirmwareEntry(const Bytes& block)
{
    FirmwareEntry f;
    if (!hasMagic(block, cb::firmwareEntry, cb::firmwareMagic2))
        return f;
    f.valid = true;
    f.version = block[cb::firmwareEntry * cb::entrySize + 3];
    return f;
}

void writeSlotEntry(Bytes& block, int slot, int storedLength, const QString& name)
{
    const int entry = slot - 1;
    if (!validSlot(slot) || !fits(block, entry))
        return;
    writeHeader(block, entry, cb::slotMagic2, 0, storedLength, slotPageNumber(slot));
    if (name.isEmpty())
        return;
    std::uint8_t* n = block.data() + entry * cb::entrySize + cb::nameOffset;
    std::fill_n(n, cb::nameLength, cb::namePad);
    const QString kept = name.left(cb::nameLength);
    for (int i = 0; i < kept.size(); ++i)
        n[i] = static_cast<std::uint8_t>(kept[i].unicode() & 0xFF);
}

void writeFirmwareEntry(Bytes& block, int version, int length)
{
    if (fits(block, cb::firmwareEntry))
        writeHeader(block, cb::firmwareEntry, cb::firmwareMagic2, version, length, cb::firmwarePage);
}

void clearSlotName(Bytes& block, int slot)
{
    const int entry = slot - 1;
    if (validSlot(slot) && fits(block, entry))
        std::fill_n(block.data() + entry * cb::entrySize + cb::nameOffset, cb::nameLength, cb::nameEnd);
}

} // namespace nolt
