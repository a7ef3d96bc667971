// Unpacking slot pages, trusting the page only within its bounds (the records a store builds: DriverStoreTest).

#include "link/SlotPage.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace nolt;

// Records up to the recorded length are unpacked (0xFFFF: up to the page end); bytes 96 on are kept. A page that
// breaks the limits is unpacked up to the first record that would read past the page or write past the image.
TEST(SlotPage, RecordsAreUnpackedUpToTheLengthAndOnlyWithinBounds)
{
    Bytes stored(128);
    std::iota(stored.begin(), stored.end(), 1);
    const struct { int recordedLength, records, badRecord; std::uint8_t length, offset; } cases[] = {
        {48, 3, -1, 0, 0}, {0xFFFF, 8, -1, 0, 0},
        {128, 2, 2, 15, 120}, // offset past the image
        {128, 3, 3, 255, 0},  // data past the page
    };
    for (auto c : cases) {
        Bytes page = buildSlotPage(stored);
        if (c.badRecord >= 0)
            page[16 * c.badRecord] = c.length, page[16 * c.badRecord + 1] = c.offset;
        Bytes image(128, 0xEE);
        EXPECT_EQ(unpackSlotPage(page, c.recordedLength, image), c.records) << c.recordedLength << " " << c.badRecord;
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 12 * c.records, stored.begin()));
        EXPECT_EQ(Bytes(image.begin() + 12 * c.records, image.end()), Bytes(128 - 12 * c.records, 0xEE));
    }
    // Records of length 0..3 are stepped over by their length byte; a later record's data is still taken from its
    // own 16-byte slot.
    Bytes page(128, 0xFF);
    page[0] = 1, page[1] = 200; // offsets of skipped records are never used
    page[2] = 2, page[3] = 0;
    page[5] = 3, page[6] = 120;
    page[9] = 7, page[10] = 20; // the fourth record: 4 bytes to image 20..23
    std::fill_n(page.begin() + 16 * 3 + 2, 4, 0x11);
    for (auto [recordedLength, records] : {std::pair{0xFFFF, 1}, {10, 1}, {9, 0}}) {
        Bytes image(128, 0x5A);
        EXPECT_EQ(unpackSlotPage(page, recordedLength, image), records) << recordedLength;
        EXPECT_EQ(std::count(image.begin() + 20, image.begin() + 24, 0x11), 4 * records);
        EXPECT_EQ(std::count(image.begin(), image.end(), 0x5A), 128 - 4 * records);
    }
    // A second record's length and offset bytes at the page's last two bytes are read; a length byte at its last
    // byte has no offset byte within the page, and nothing after the page is read.
    for (auto [second, records] : {std::pair{126, 2}, {127, 1}}) {
        Bytes buffer(129, 0x33); // the page and one byte after it
        buffer[0] = static_cast<std::uint8_t>(second - 1), buffer[1] = 0;
        buffer[second] = 4, buffer[second + 1] = 124;
        Bytes image(128, 0xEE);
        EXPECT_EQ(unpackSlotPage(std::span(buffer.data(), 128), 0xFFFF, image), records) << second;
        EXPECT_EQ(image[124], records == 2 ? 0x33 : 0xEE) << second;
        EXPECT_EQ(image[123], 0xEE) << second;
    }
}
