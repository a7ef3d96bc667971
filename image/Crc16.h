#pragma once
// The 16-bit CRC that protects slot records, stick frames, firmware blocks
// and both text files: polynomial 0x8005, bits shifted in most significant
// first, not reflected, no final XOR (CRC-16/UMTS).
//
// A CRC over a byte sequence: the register starts at a start value, each
// byte goes through crc16Step, then two zero bytes do. Starting at a byte
// value b equals starting at 0 and feeding b first.

#include <cstdint>
#include <span>

namespace nolt {

// One step: shifts the eight bits of `b` into the register, most
// significant first, XORing 0x8005 whenever a 1 leaves bit 15.
std::uint16_t crc16Step(std::uint8_t b, std::uint16_t crc);

// Feeds the two closing zero bytes to a running register.
std::uint16_t crc16Finish(std::uint16_t crc);

// The CRC of `bytes` with the register starting at `start`, closing zero
// bytes included.
std::uint16_t crc16(std::span<const std::uint8_t> bytes, std::uint16_t start = 0);

} // namespace nolt
