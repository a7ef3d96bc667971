// Slot pages: eight CRC-protected records of image bytes 0..95, and the
// unpacking walk that trusts the page only within its own bounds. The
// records' bytes and CRCs are compared on the device in DriverStoreTest.

#include "link/SlotPage.h"

#include <gtest/gtest.h>

using namespace nolt;

namespace {

Bytes numbered(int size, int from = 0)
{
    Bytes b(size);
    for (int i = 0; i < size; ++i)
        b[i] = static_cast<std::uint8_t>(from + i);
    return b;
}

} // namespace

TEST(SlotPage, RecordsUpToTheRecordedLengthAreUnpackedAndBytes96OnKept)
{
    const Bytes stored = numbered(128, 1);
    const struct { int recordedLength, records; } cases[] = {{128, 8}, {48, 3}, {0xFFFF, 8}}; // 0xFFFF: up to the page end
    for (auto c : cases) {
        Bytes image(128, 0xEE);
        EXPECT_EQ(unpackSlotPage(buildSlotPage(stored), c.recordedLength, image), c.records) << c.recordedLength;
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 12 * c.records, stored.begin()));
        EXPECT_EQ(Bytes(image.begin() + 12 * c.records, image.end()), Bytes(128 - 12 * c.records, 0xEE));
    }
}

TEST(SlotPage, ErasedOrShortRecordsCopyNothing)
{
    Bytes image(128, 0x5A);
    EXPECT_EQ(unpackSlotPage(Bytes(128, 0xFF), 128, image), 0);
    EXPECT_EQ(unpackSlotPage(Bytes(128, 0x00), 0xFFFF, image), 0) << "length 0 records step one byte";
    EXPECT_EQ(image, Bytes(128, 0x5A));
}

// Records of length 1..3 are stepped over by their length byte, while the
// data of a later record is still taken from its own 16-byte slot.
TEST(SlotPage, TooShortRecordsAreSteppedOver)
{
    Bytes page(128, 0xFF);
    page[0] = 1, page[1] = 200; // offsets of skipped records are never used
    page[2] = 2, page[3] = 0;
    page[5] = 3, page[6] = 120;
    page[9] = 7, page[10] = 20; // the fourth record: 4 bytes to image 20..23
    const Bytes data = {0x11, 0x22, 0x33, 0x44};
    std::copy(data.begin(), data.end(), page.begin() + 16 * 3 + 2);

    const struct { int recordedLength, records; } cases[] = {{0xFFFF, 1}, {10, 1}, {9, 0}};
    for (auto c : cases) {
        Bytes image(128, 0x5A);
        EXPECT_EQ(unpackSlotPage(page, c.recordedLength, image), c.records) << c.recordedLength;
        Bytes expected(128, 0x5A);
        if (c.records)
            std::copy(data.begin(), data.end(), expected.begin() + 20);
        EXPECT_EQ(image, expected) << c.recordedLength;
    }
}

// A page that breaks the limits: the walk stops at the first record that
// would read past the page or write past the image; earlier records stay.
TEST(SlotPage, PagesBreakingTheLimitsAreUnpackedOnlyWithinBounds)
{
    const struct { const char* what; int badRecord; std::uint8_t length, offset; } cases[] = {
        {"offset past the image", 2, 15, 120},
        {"data past the page", 3, 255, 0},
    };
    for (const auto& c : cases) {
        const Bytes stored = numbered(128, 1);
        Bytes page = buildSlotPage(stored);
        page[16 * c.badRecord] = c.length;
        page[16 * c.badRecord + 1] = c.offset;
        Bytes image(128, 0);
        EXPECT_EQ(unpackSlotPage(page, 128, image), c.badRecord) << c.what;
        ASSERT_EQ(image.size(), 128u) << c.what;
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 12 * c.badRecord, stored.begin())) << c.what;
        EXPECT_EQ(Bytes(image.begin() + 12 * c.badRecord, image.end()), Bytes(128 - 12 * c.badRecord, 0)) << c.what;
    }
}
