#pragma once
// The simulated devices' own CRC-16: polynomial 0x8005, register from 0,
// bits most significant first, no final XOR. It is kept apart from the
// program's CRC so that a fault there cannot hide in the device's check.

#include <cstddef>
#include <cstdint>

namespace nolt::sim {

inline std::uint16_t crc16(const std::uint8_t* data, std::size_t length, std::uint16_t crc = 0)
{
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= static_cast<std::uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x8005 : crc << 1);
    }
    return crc;
}

// The CRC of a stick frame or data reply: over its address, its length and
// its data bytes.
inline std::uint16_t stickFrameCrc(std::uint8_t address, std::uint8_t length, const std::uint8_t* data)
{
    const std::uint8_t head[] = {address, length};
    return crc16(data, length, crc16(head, 2));
}

} // namespace nolt::sim
