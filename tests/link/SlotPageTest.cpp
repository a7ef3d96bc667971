// Slot pages: eight CRC-protected records of image bytes 0..95, and the
// unpacking walk that trusts the page only within its own bounds.

#include "image/Crc16.h"
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

TEST(SlotPage, EightRecordsWithTheirOffsetsDataAndCrc)
{
    const Bytes image = numbered(128, 100);
    const Bytes page = buildSlotPage(image);
    ASSERT_EQ(page.size(), 128u);
    for (int k = 0; k < 8; ++k) {
        const std::uint8_t* r = page.data() + 16 * k;
        EXPECT_EQ(r[0], 15);
        EXPECT_EQ(r[1], 12 * k);
        EXPECT_TRUE(std::equal(r + 2, r + 14, image.begin() + 12 * k));
        // The CRC covers the offset byte and the data, not the length byte.
        Bytes covered = {static_cast<std::uint8_t>(12 * k)};
        covered.insert(covered.end(), image.begin() + 12 * k, image.begin() + 12 * k + 12);
        EXPECT_EQ(r[14] | r[15] << 8, crc16(covered)) << "record " << k;
    }
    EXPECT_EQ(slot::storedLength, 128);
}

TEST(SlotPage, UnpackingRestoresBytes0To95AndKeepsTheRest)
{
    const Bytes stored = numbered(128, 1);
    Bytes image(128, 0xEE);
    EXPECT_EQ(unpackSlotPage(buildSlotPage(stored), 128, image), 8);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 96, stored.begin()));
    EXPECT_EQ(Bytes(image.begin() + 96, image.end()), Bytes(32, 0xEE));
}

TEST(SlotPage, RecordsUpToTheRecordedLengthAreUnpacked)
{
    const Bytes stored = numbered(128, 1);
    Bytes image(128, 0);
    EXPECT_EQ(unpackSlotPage(buildSlotPage(stored), 48, image), 3) << "records at 0, 16, 32";
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 36, stored.begin()));
    EXPECT_EQ(image[36], 0);
}

TEST(SlotPage, ErasedOrShortRecordsCopyNothing)
{
    Bytes image(128, 0x5A);
    EXPECT_EQ(unpackSlotPage(Bytes(128, 0xFF), 128, image), 0);
    EXPECT_EQ(unpackSlotPage(Bytes(128, 0x00), 0xFFFF, image), 0) << "length 0 records step one byte";
    EXPECT_EQ(image, Bytes(128, 0x5A));
}

// A page that breaks the limits: the walk stops at the first record that
// would read past the page or write past the image; earlier records stay.
TEST(SlotPage, PagesBreakingTheLimitsAreUnpackedOnlyWithinBounds)
{
    struct Case {
        const char* what;
        int badRecord;     // which record is damaged
        std::uint8_t length;
        std::uint8_t offset;
        int recordedLength;
    };
    const std::vector<Case> cases = {
        {"offset past the image", 2, 15, 120, 128},
        {"data past the page", 3, 255, 0, 128},
    };
    for (const Case& c : cases) {
        const Bytes stored = numbered(128, 1);
        Bytes page = buildSlotPage(stored);
        page[16 * c.badRecord] = c.length;
        page[16 * c.badRecord + 1] = c.offset;
        Bytes image(128, 0);
        const int copied = unpackSlotPage(page, c.recordedLength, image);
        EXPECT_EQ(image.size(), 128u) << c.what;
        EXPECT_EQ(copied, c.badRecord) << c.what;
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 12 * c.badRecord, stored.begin())) << c.what;
        EXPECT_EQ(Bytes(image.begin() + 12 * c.badRecord, image.end()), Bytes(128 - 12 * c.badRecord, 0))
            << c.what;
    }
}

TEST(SlotPage, RecordedLengthBeyondThePageEndsTheWalkAtThePageEnd)
{
    const Bytes stored = numbered(128, 1);
    Bytes image(128, 0);
    EXPECT_EQ(unpackSlotPage(buildSlotPage(stored), 0xFFFF, image), 8);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 96, stored.begin()));
}
