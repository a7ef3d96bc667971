#include "ReportDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>
#include <vector>

using nolt::hid::parseReportDescriptor;
using nolt::hid::ReportLayout;

namespace {

using Item = std::vector<std::uint8_t>;

// Items written out the way a device's firmware lists them.
const Item usagePageVendor{0x06, 0x00, 0xFF};
const Item usage1{0x09, 0x01};
const Item collectionApplication{0xA1, 0x01};
const Item endCollection{0xC0};
const Item input{0x81, 0x02};
const Item output{0x91, 0x02};
const Item feature{0xB1, 0x02};
const Item push{0xA4};
const Item pop{0xB4};
Item reportSize(std::uint8_t bits) { return {0x75, bits}; }
Item reportCount(std::uint8_t count) { return {0x95, count}; }
Item reportId(std::uint8_t id) { return {0x85, id}; }

std::vector<std::uint8_t> join(const std::vector<Item>& items)
{
    std::vector<std::uint8_t> bytes;
    for (const Item &item : items)
        bytes.insert(bytes.end(), item.begin(), item.end());
    return bytes;
}

// The LED driver: one vendor collection, 8-byte input and output reports,
// no report IDs.
const std::vector<Item> driverItems{
    usagePageVendor, usage1, collectionApplication, {0x15, 0x00}, {0x26, 0xFF, 0x00},
    reportSize(8), reportCount(8), usage1, input, usage1, output, endCollection};

} // namespace

TEST(ReportDescriptor, LongestReportOfEachKindAndItsId)
{
    const Item maxSize{0x77, 0xFF, 0xFF, 0xFF, 0xFF}, maxCount{0x97, 0xFF, 0xFF, 0xFF, 0xFF};
    // The long item's data would read as Report Count 200 and an Input item.
    const Item longItem{0xFE, 0x04, 0x10, 0x95, 0xC8, 0x81, 0x02};
    const struct { const char* what; std::vector<Item> items; int in, out, feat, inId, outId, featId; } cases[] = {
        {"the driver", driverItems, 8, 8, 0, 0, 0, 0},
        {"empty", {}, 0, 0, 0, 0, 0, 0},
        {"numbered reports; report 2 made of two items",
         {usagePageVendor, usage1, collectionApplication, reportSize(8), reportId(1), reportCount(8), input,
          reportId(2), reportCount(20), input, reportCount(12), input, reportId(3), reportCount(16), output,
          reportId(4), reportCount(4), output, reportId(5), reportCount(2), feature, endCollection},
         32, 16, 2, 2, 3, 5},
        {"5 + 3 bits fill a byte", {reportSize(1), reportCount(5), input, reportSize(3), reportCount(1), input}, 1, 0, 0, 0, 0, 0},
        {"a ninth bit needs a second byte", {reportSize(1), reportCount(9), input}, 2, 0, 0, 0, 0, 0},
        {"pop restores size, count and id",
         {reportId(1), reportSize(8), reportCount(4), push, reportId(2), reportSize(16), reportCount(10), input, pop,
          input, input},
         20, 0, 0, 2, 0, 0},
        {"after the pop report 1 is the longer",
         {reportId(1), reportSize(8), reportCount(4), push, reportId(2), reportSize(16), reportCount(1), input, pop,
          input, input},
         8, 0, 0, 1, 0, 0},
        {"wide values are little-endian", {{0x96, 0x00, 0x01}, {0x77, 0x08, 0x00, 0x00, 0x00}, feature}, 0, 0, 256, 0, 0, 0},
        {"long items are skipped whole", {reportSize(8), reportCount(8), longItem, output, input}, 8, 8, 0, 0, 0, 0},
        {"huge sizes saturate", {maxSize, maxCount, input, input, input, input, input, input, input, input},
         INT_MAX, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const ReportLayout layout = parseReportDescriptor(join(c.items));
        EXPECT_EQ(layout.input.bytes, c.in) << c.what;
        EXPECT_EQ(layout.output.bytes, c.out) << c.what;
        EXPECT_EQ(layout.feature.bytes, c.feat) << c.what;
        EXPECT_EQ(layout.input.reportId, c.inId) << c.what;
        EXPECT_EQ(layout.output.reportId, c.outId) << c.what;
        EXPECT_EQ(layout.feature.reportId, c.featId) << c.what;
        EXPECT_EQ(layout.usesReportIds, c.inId + c.outId + c.featId != 0) << c.what;
        EXPECT_FALSE(layout.malformed) << c.what;
    }
}

TEST(ReportDescriptor, MisusedItemsAreFlagged)
{
    const std::vector<std::vector<std::uint8_t>> malformed = {
        {0xFE}, {0xFE, 0x05}, {0xFE, 0x05, 0x10, 1, 2, 3, 4}, // truncated long items
        join({pop}), join({reportId(0)}), std::vector<std::uint8_t>(100, push.front())};
    for (const auto& bytes : malformed) {
        const std::vector<std::uint8_t> exact(bytes); // on the heap at its size: a read past it is caught
        EXPECT_TRUE(parseReportDescriptor(exact).malformed) << bytes.size() << " bytes";
    }
    EXPECT_FALSE(parseReportDescriptor(join({push, pop})).malformed);
}

TEST(ReportDescriptor, TruncationAnywhereStaysInBoundsAndIsFlaggedInsideAnItem)
{
    const auto whole = join(driverItems);
    std::vector<std::size_t> boundaries{0};
    for (const Item &item : driverItems)
        boundaries.push_back(boundaries.back() + item.size());

    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + cut);
        const ReportLayout layout = parseReportDescriptor(prefix);
        const bool atBoundary = std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end();
        EXPECT_EQ(layout.malformed, !atBoundary) << "cut after " << cut << " bytes";
        EXPECT_LE(layout.input.bytes, 8);
    }
}

// A crash test for the sanitizers; the same random bytes inside a long item must be skipped whole.
TEST(ReportDescriptor, RandomBytesNeverBreakTheParser)
{
    std::mt19937 random(2013);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 64);
        for (auto &b : bytes)
            b = static_cast<std::uint8_t>(random());
        parseReportDescriptor(bytes);
        const auto wrapped = join({{0xFE, static_cast<std::uint8_t>(bytes.size()), 0x10}, bytes, join(driverItems)});
        const ReportLayout layout = parseReportDescriptor(wrapped);
        EXPECT_EQ(std::tuple(layout.input.bytes, layout.output.bytes, layout.feature.bytes), std::tuple(8, 8, 0));
        EXPECT_FALSE(layout.usesReportIds || layout.malformed) << round;
    }
}
