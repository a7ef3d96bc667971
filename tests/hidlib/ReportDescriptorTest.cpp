#include "ReportDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <tuple>
#include <vector>

using namespace nolt::hid;

namespace {

using Item = std::vector<std::uint8_t>;

// Items written out the way a device's firmware lists them.
const Item usagePageVendor{0x06, 0x00, 0xFF}, usage1{0x09, 0x01}, collection{0xA1, 0x01}, endCollection{0xC0};
const Item input{0x81, 0x02}, output{0x91, 0x02}, feature{0xB1, 0x02}, push{0xA4}, pop{0xB4};
Item reportSize(std::uint8_t bits) { return {0x75, bits}; }
Item reportCount(std::uint8_t count) { return {0x95, count}; }
Item reportId(std::uint8_t id) { return {0x85, id}; }

Item join(const std::vector<Item> &items)
{
    Item bytes;
    for (const Item &item : items)
        bytes.insert(bytes.end(), item.begin(), item.end());
    return bytes;
}

// The LED driver: one vendor collection, 8-byte input and output reports, no report IDs.
const std::vector<Item> driverItems{usagePageVendor, usage1, collection, {0x15, 0x00}, {0x26, 0xFF, 0x00},
                                    reportSize(8), reportCount(8), usage1, input, usage1, output, endCollection};

} // namespace

// The longest input, output and feature report in bytes, then their report IDs (the QEMU test reads the driver's).
TEST(ReportDescriptor, LongestReportOfEachKindAndItsId)
{
    const Item maxSize{0x77, 0xFF, 0xFF, 0xFF, 0xFF}, maxCount{0x97, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::tuple<const char *, std::vector<Item>, std::array<int, 6>> cases[] = {
        {"numbered reports; report 2 made of two items",
         {reportSize(8), reportId(1), reportCount(8), input, reportId(2), reportCount(20), input, reportCount(12),
          input, reportId(3), reportCount(16), output, reportId(4), reportCount(4), output, reportId(5),
          reportCount(2), feature},
         {32, 16, 2, 2, 3, 5}},
        {"5 + 3 bits fill a byte", {reportSize(1), reportCount(5), input, reportSize(3), reportCount(1), input}, {1}},
        {"a ninth bit needs a second byte", {reportSize(1), reportCount(9), input}, {2}},
        {"pop restores size, count and id",
         {reportId(1), reportSize(8), reportCount(4), push, reportId(2), reportSize(16), reportCount(10), input, pop,
          input, input},
         {20, 0, 0, 2}},
        {"wide values are little-endian", {{0x96, 0x00, 0x01}, {0x77, 0x08, 0x00, 0x00, 0x00}, feature}, {0, 0, 256}},
        {"sizes saturate", {maxSize, maxCount, input, input, input, input, input, input, input, input}, {INT_MAX}}};
    for (const auto &[what, items, expected] : cases) {
        const ReportLayout l = parseReportDescriptor(join(items));
        EXPECT_EQ((std::array<int, 6>{l.input.bytes, l.output.bytes, l.feature.bytes, l.input.reportId,
                                      l.output.reportId, l.feature.reportId}), expected) << what;
        EXPECT_EQ(l.usesReportIds, expected[3] + expected[4] + expected[5] != 0) << what;
        EXPECT_FALSE(l.malformed) << what;
    }
}

// Cut anywhere, the driver's descriptor is read in bounds and flagged exactly where the cut falls inside an item;
// truncated long items and push/pop out of balance are flagged too. Random bytes are a crash test for the
// sanitizers (each descriptor is on the heap at its size); inside a long item they are skipped whole.
TEST(ReportDescriptor, TruncatedMisusedOrRandomItemsAreFlaggedAndReadInBounds)
{
    const Item whole = join(driverItems);
    std::vector<std::size_t> boundaries{0};
    for (const Item &item : driverItems)
        boundaries.push_back(boundaries.back() + item.size());
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        const ReportLayout layout = parseReportDescriptor(Item(whole.begin(), whole.begin() + cut));
        const bool atBoundary = std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end();
        EXPECT_EQ(layout.malformed, !atBoundary) << "cut after " << cut << " bytes";
        EXPECT_LE(layout.input.bytes, 8);
    }
    for (const Item &bytes : {Item{0xFE}, Item{0xFE, 0x05}, Item{0xFE, 0x05, 0x10, 1, 2, 3, 4}, pop, reportId(0),
                              Item(100, push.front())})
        EXPECT_TRUE(parseReportDescriptor(bytes).malformed) << bytes.size() << " bytes";
    EXPECT_FALSE(parseReportDescriptor(join({push, pop})).malformed);

    std::mt19937 random(2013);
    for (int round = 0; round < 2000; ++round) {
        Item bytes(random() % 64);
        for (auto &b : bytes)
            b = static_cast<std::uint8_t>(random());
        parseReportDescriptor(bytes);
        const ReportLayout layout = parseReportDescriptor(
            join({{0xFE, static_cast<std::uint8_t>(bytes.size()), 0x10}, bytes, whole}));
        EXPECT_EQ(std::tuple(layout.input.bytes, layout.output.bytes, layout.feature.bytes), std::tuple(8, 8, 0));
        EXPECT_FALSE(layout.usesReportIds || layout.malformed) << round;
    }
}

// The global state stack holds 32 pushes; one more is flagged.
TEST(ReportDescriptor, PushesNestThirtyTwoDeep)
{
    const auto nested = [](int depth) {
        Item bytes(depth, push.front());
        bytes.insert(bytes.end(), depth, pop.front());
        return bytes;
    };
    EXPECT_FALSE(parseReportDescriptor(nested(32)).malformed);
    EXPECT_TRUE(parseReportDescriptor(nested(33)).malformed);
}

// Report IDs run from 1 to 255: a two-byte ID of 255 is taken, one of 256 flagged.
TEST(ReportDescriptor, ReportIdsEndAt255)
{
    const Item size8 = reportSize(8), count1 = reportCount(1);
    EXPECT_FALSE(parseReportDescriptor(join({Item{0x86, 0xFF, 0x00}, size8, count1, input})).malformed);
    EXPECT_TRUE(parseReportDescriptor(join({Item{0x86, 0x00, 0x01}, size8, count1, input})).malformed);
}

// Report size and count start at 0: a main item before either is set adds no field.
TEST(ReportDescriptor, SizeAndCountStartAtZero)
{
    EXPECT_EQ(parseReportDescriptor(join({reportCount(8), input, reportSize(8), reportCount(2), input})).input.bytes, 2);
    EXPECT_EQ(parseReportDescriptor(join({reportSize(8), input, reportCount(3), input})).input.bytes, 3);
}
