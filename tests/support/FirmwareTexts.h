#pragma once
// Firmware texts written out by hand: the header "FWX" + length (4 hexadecimal digits) + version (2) + CRC (4),
// then data lines of 128 bytes as 256 hexadecimal digits. Each CRC was worked out apart from the program:
// CRC-16/UMTS (polynomial 0x8005, start 0, nothing reflected) over every byte of every data line.

#include <QStringList>

namespace nolt::test {

// `count` bytes, each written as the two hexadecimal digits `pair`.
inline QString bytesOf(const char* pair, int count)
{
    return QString::fromLatin1(pair).repeated(count);
}

// 200 bytes 0x3A, the last line filled up with 0xFF; version 0x48 (1.72).
inline QStringList firmware200()
{
    return {"FWX00C8487325", bytesOf("3A", 128), bytesOf("3A", 72) + bytesOf("FF", 56)};
}

} // namespace nolt::test
