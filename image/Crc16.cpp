#include "image/Crc16.h"

namespace nolt {

std::uint16_t crc16Step(std::uint8_t b, std::uint16_t crc)
{
    unsigned reg = crc;
    unsigned in = b;
    for (int i = 0; i < 8; ++i) {
        const bool out = reg & 0x8000u;
        reg = ((reg << 1) | ((in >> 7) & 1u)) & 0xFFFFu;
        in <<= 1;
        if (out)
            reg ^= 0x8005u;
    }
    return static_cast<std::uint16_t>(reg);
}

std::uint16_t crc16Finish(std::uint16_t crc)
{
    return crc16Step(0, crc16Step(0, crc));
}

std::uint16_t crc16(std::span<const std::uint8_t> bytes, std::uint16_t start)
{
    std::uint16_t crc = start;
    for (const std::uint8_t b : bytes)
        crc = crc16Step(b, crc);
    return crc16Finish(crc);
}

} // namespace nolt
