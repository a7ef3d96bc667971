#include "ReportDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <random>
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
const Item logicalMin0{0x15, 0x00};
const Item logicalMax255{0x26, 0xFF, 0x00};
const Item input{0x81, 0x02};
const Item output{0x91, 0x02};
const Item feature{0xB1, 0x02};
const Item push{0xA4};
const Item pop{0xB4};
Item reportSize(std::uint8_t bits) { return {0x75, bits}; }
Item reportCount(std::uint8_t count) { return {0x95, count}; }
Item reportId(std::uint8_t id) { return {0x85, id}; }

std::vector<std::uint8_t> join(std::initializer_list<Item> items)
{
    std::vector<std::uint8_t> bytes;
    for (const Item &item : items)
        bytes.insert(bytes.end(), item.begin(), item.end());
    return bytes;
}

// The LED driver: one vendor collection, 8-byte input and output reports,
// no report IDs.
const std::vector<Item> driverItems{
    usagePageVendor, usage1, collectionApplication, logicalMin0, logicalMax255,
    reportSize(8), reportCount(8), usage1, input, usage1, output, endCollection};

std::vector<std::uint8_t> driverDescriptor()
{
    std::vector<std::uint8_t> bytes;
    for (const Item &item : driverItems)
        bytes.insert(bytes.end(), item.begin(), item.end());
    return bytes;
}

} // namespace

TEST(ReportDescriptor, DriverHasEightByteReportsWithoutIds)
{
    const ReportLayout layout = parseReportDescriptor(driverDescriptor());
    EXPECT_EQ(layout.input.bytes, 8);
    EXPECT_EQ(layout.output.bytes, 8);
    EXPECT_EQ(layout.feature.bytes, 0);
    EXPECT_FALSE(layout.usesReportIds);
    EXPECT_EQ(layout.output.reportId, 0);
    EXPECT_FALSE(layout.malformed);
}

TEST(ReportDescriptor, EmptyDescriptorHasNoReports)
{
    const ReportLayout layout = parseReportDescriptor({});
    EXPECT_EQ(layout.input.bytes, 0);
    EXPECT_EQ(layout.output.bytes, 0);
    EXPECT_EQ(layout.feature.bytes, 0);
    EXPECT_FALSE(layout.malformed);
}

TEST(ReportDescriptor, NumberedReportsGiveTheLongestOfEachKindAndItsId)
{
    const auto bytes = join({usagePageVendor, usage1, collectionApplication, reportSize(8),
                             reportId(1), reportCount(8), input,
                             reportId(2), reportCount(20), input, reportCount(12), input,
                             reportId(3), reportCount(16), output,
                             reportId(4), reportCount(4), output,
                             reportId(5), reportCount(2), feature, endCollection});
    const ReportLayout layout = parseReportDescriptor(bytes);
    EXPECT_TRUE(layout.usesReportIds);
    EXPECT_EQ(layout.input.bytes, 32); // report 2 is made of two items
    EXPECT_EQ(layout.input.reportId, 2);
    EXPECT_EQ(layout.output.bytes, 16);
    EXPECT_EQ(layout.output.reportId, 3);
    EXPECT_EQ(layout.feature.bytes, 2);
    EXPECT_EQ(layout.feature.reportId, 5);
}

TEST(ReportDescriptor, BitFieldsRoundUpToWholeBytes)
{
    // 5 one-bit buttons and 3 bits of padding fill one byte; a ninth bit needs a second.
    const auto exact = join({reportSize(1), reportCount(5), input, reportSize(3), reportCount(1), input});
    EXPECT_EQ(parseReportDescriptor(exact).input.bytes, 1);
    const auto overflow = join({reportSize(1), reportCount(9), input});
    EXPECT_EQ(parseReportDescriptor(overflow).input.bytes, 2);
}

TEST(ReportDescriptor, PopRestoresSizeCountAndReportId)
{
    const auto bytes = join({reportId(1), reportSize(8), reportCount(4), push,
                             reportId(2), reportSize(16), reportCount(10), input, pop,
                             input, input});
    const ReportLayout layout = parseReportDescriptor(bytes);
    // Report 2 got 20 bytes; report 1 got two items of 4 bytes after the pop.
    EXPECT_EQ(layout.input.bytes, 20);
    EXPECT_EQ(layout.input.reportId, 2);
    const auto after = join({reportId(1), reportSize(8), reportCount(4), push,
                             reportId(2), reportSize(16), reportCount(1), input, pop,
                             input, input});
    EXPECT_EQ(parseReportDescriptor(after).input.bytes, 8);
    EXPECT_EQ(parseReportDescriptor(after).input.reportId, 1);
}

TEST(ReportDescriptor, WideItemValuesAreLittleEndian)
{
    // Report Count 0x0100 in two bytes, then Report Size 8 in four bytes.
    const auto bytes = join({{0x96, 0x00, 0x01}, {0x77, 0x08, 0x00, 0x00, 0x00}, feature});
    EXPECT_EQ(parseReportDescriptor(bytes).feature.bytes, 256);
}

TEST(ReportDescriptor, LongItemsAreSkippedWhole)
{
    // The long item's data would read as Report Count 200 and an Input item.
    const Item longItem{0xFE, 0x04, 0x10, 0x95, 0xC8, 0x81, 0x02};
    const auto bytes = join({reportSize(8), reportCount(8), longItem, output, input});
    const ReportLayout layout = parseReportDescriptor(bytes);
    EXPECT_EQ(layout.input.bytes, 8);
    EXPECT_EQ(layout.output.bytes, 8);
    EXPECT_FALSE(layout.malformed);
}

TEST(ReportDescriptor, TruncationAnywhereStaysInBoundsAndIsFlaggedInsideAnItem)
{
    const auto whole = driverDescriptor();
    std::vector<std::size_t> boundaries{0};
    for (const Item &item : driverItems)
        boundaries.push_back(boundaries.back() + item.size());

    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        // An exact-size copy on the heap, so that any read past the end is caught.
        const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + cut);
        const ReportLayout layout = parseReportDescriptor(prefix);
        const bool atBoundary = std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end();
        EXPECT_EQ(layout.malformed, !atBoundary) << "cut after " << cut << " bytes";
        EXPECT_LE(layout.input.bytes, 8);
    }
}

TEST(ReportDescriptor, TruncatedLongItemsAreFlagged)
{
    for (const Item &bytes : {Item{0xFE}, Item{0xFE, 0x05}, Item{0xFE, 0x05, 0x10, 1, 2, 3, 4}}) {
        const std::vector<std::uint8_t> exact(bytes);
        EXPECT_TRUE(parseReportDescriptor(exact).malformed) << bytes.size() << " bytes";
    }
}

TEST(ReportDescriptor, UnbalancedPushPopAndReportIdZeroAreFlagged)
{
    EXPECT_TRUE(parseReportDescriptor(join({pop})).malformed);
    EXPECT_TRUE(parseReportDescriptor(join({reportId(0)})).malformed);
    std::vector<std::uint8_t> deep(100, push.front());
    EXPECT_TRUE(parseReportDescriptor(deep).malformed);
    EXPECT_FALSE(parseReportDescriptor(join({push, pop})).malformed);
}

TEST(ReportDescriptor, HugeSizesSaturateInsteadOfWrapping)
{
    const Item maxSize{0x77, 0xFF, 0xFF, 0xFF, 0xFF};
    const Item maxCount{0x97, 0xFF, 0xFF, 0xFF, 0xFF};
    std::vector<std::uint8_t> bytes = join({maxSize, maxCount});
    for (int i = 0; i < 8; ++i)
        bytes.insert(bytes.end(), input.begin(), input.end());
    EXPECT_EQ(parseReportDescriptor(bytes).input.bytes, INT_MAX);
}

TEST(ReportDescriptor, RandomBytesNeverBreakTheParser)
{
    std::mt19937 random(2013);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 64);
        for (auto &b : bytes)
            b = static_cast<std::uint8_t>(random());
        const ReportLayout layout = parseReportDescriptor(bytes);
        EXPECT_GE(layout.input.bytes, 0);
        EXPECT_GE(layout.output.bytes, 0);
        EXPECT_GE(layout.feature.bytes, 0);
        if (!layout.usesReportIds) {
            EXPECT_EQ(layout.input.reportId | layout.output.reportId | layout.feature.reportId, 0);
        }
    }
}
