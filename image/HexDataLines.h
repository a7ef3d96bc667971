#pragma once
// The data lines shared by the configuration and firmware texts: every
// byte as two hexadecimal digits, a fixed number of bytes per line, the
// whole protected by one CRC (start value 0, closing zero bytes).

#include "image/ConfigImage.h"

#include <QStringList>

#include <cstdint>
#include <span>

namespace nolt {

struct HexData {
    Bytes buffer;            // bytesPerLine * maxLines bytes, 0xFF where no line reached
    std::uint16_t crc = 0;   // over every byte read, in order
    int linesRead = 0;       // data lines taken into the buffer
    int linesIgnored = 0;    // data lines beyond maxLines, left out of buffer and CRC
};

// Reads lines[first..] as data lines into a buffer of maxLines lines that
// starts all 0xFF. Each line gives bytesPerLine character pairs, read
// leniently: either case; a pair that is missing or holds a non-digit gives
// the value of the digits before it, 0 when none. Lines beyond maxLines are
// ignored.
HexData readHexDataLines(const QStringList& lines, qsizetype first, int bytesPerLine, int maxLines);

struct HexLines {
    QStringList lines;
    std::uint16_t crc = 0;
};

// Writes `bytes` as data lines of bytesPerLine bytes in upper-case digits
// (a last partial line is as long as its bytes), with the CRC over them.
HexLines writeHexDataLines(std::span<const std::uint8_t> bytes, int bytesPerLine);

} // namespace nolt
