#pragma once
// A slot page: image bytes 0..95 cut into eight records of 16 bytes.
//
// record byte 0      length L = data bytes + 3 (15)
//        byte 1      image offset of the first data byte (0, 12, ..., 84)
//        bytes 2..13 the image bytes
//        bytes 14-15 CRC (low byte first) over the offset byte and the data
// Image bytes 96..127 are never stored in a slot.

#include "image/ConfigImage.h"

#include <cstdint>
#include <span>

namespace nolt {

namespace slot {
inline constexpr int recordSize = 16;
inline constexpr int recordData = 12;
inline constexpr int recordCount = (img::storedBytes + recordData - 1) / recordData; // 8
// The length recorded in a slot entry: four bytes of frame per record plus
// the image bytes (128).
inline constexpr int storedLength = recordCount * 4 + img::storedBytes;
} // namespace slot

// The page that stores image bytes 0..95 (an image shorter than 96 bytes
// is stored as if padded with 0xFF).
Bytes buildSlotPage(const Bytes& image);

// Unpacks the records of a page read from a slot whose entry records
// `length` bytes. A running position p starts at 0: each record's length L
// is page[p] and its offset page[p + 1]; with L >= 4 the L - 3 bytes from
// 16r + 2 (r counting the records) go to the image at that offset; then
// p := p + L + 1, while p < length. The record CRCs are not checked.
//
// The page is trusted only as far as it stays inside itself and the image:
// the walk never reads past the page, and a record that would read past the
// page or write past the image ends the walk uncopied (records before it
// stay copied). Returns the number of records copied.
int unpackSlotPage(std::span<const std::uint8_t> page, int length, Bytes& image);

} // namespace nolt
