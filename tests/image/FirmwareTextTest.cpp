#include "image/ConfigFile.h"
#include "image/Crc16.h"
#include "image/FirmwareText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <tuple>

namespace nolt {
namespace {

// CRC-16/UMTS check values; a start value acts as a byte fed first (the stick frames' address).
TEST(Crc16, PublishedCheckValues)
{
    const std::tuple<std::string_view, std::uint16_t, std::uint16_t> cases[] = {
        {"123456789", 0, 0xFEE8}, {"", 0, 0x0000}, {"abc", 0, 0xCADB}, {"23456789", '1', 0xFEE8}, {"bc", 'a', 0xCADB}};
    for (const auto& [text, start, crc] : cases)
        EXPECT_EQ(crc16({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, start), crc) << text;
}

// n bytes of a pattern, then 0xFF up to `size`.
Bytes firmwareBytes(int n, int size = 0)
{
    Bytes b(std::max(n, size), 0xFF);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
    return b;
}

// A state that an earlier firmware file left.
const FirmwareState earlier{Bytes(fw::bufferSize, 0x11), 0x0200, 7, false};

auto fields(const FirmwareState& s)
{
    return std::tie(s.fwImage, s.fwLength, s.fwImageVersion, s.fwUpdatePending);
}

FirmwareResult loadFile(const QStringList& lines)
{
    const LoadedFile file = parseLoadedFile(lines);
    EXPECT_EQ(file.kind, LoadedFileKind::Firmware);
    return applyFirmwareFile(file.firmware, earlier);
}

TEST(FirmwareText, GeneratedTextHasTheDocumentedForm)
{
    const QStringList text = makeFirmwareText(firmwareBytes(200), 0x00C8, 0x48);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text[0], "FWX00C8489EFF"); // CRC over the 200 bytes and 56 bytes 0xFF
    EXPECT_EQ(text[1].left(6), "000D1A");
    EXPECT_EQ(text[2], text[2].left(2 * 72) + QString(2 * 56, u'F'));
}

TEST(FirmwareFile, AcceptedFileFillsTheStartOfTheImageAndIsPending)
{
    const FirmwareResult r = loadFile(makeFirmwareText(firmwareBytes(256), 0x0100, 0x48));
    ASSERT_TRUE(r.accepted);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(fields(r.state), fields({firmwareBytes(256, fw::bufferSize), 0x100, 0x48, true}));
    EXPECT_EQ(r.hint, "Version 1.72");
    EXPECT_EQ(loadFile(makeFirmwareText(firmwareBytes(fw::bufferSize), 0x2FFF, 1)).state.fwLength, 0x2FFF);
}

// Too long (dropped silently), a wrong CRC ("corrupted"), no data line: the earlier state stays.
TEST(FirmwareFile, RefusedFilesChangeNothing)
{
    QStringList badCrc = makeFirmwareText(firmwareBytes(300), 300, 9);
    badCrc[2][100] = badCrc[2][100] == u'A' ? u'B' : u'A';
    const FirmwareText headerOnly = parseFirmwareText({badCrc[0]});
    EXPECT_EQ(parseLoadedFile({badCrc[0]}).kind, LoadedFileKind::TooFewLines);
    const std::pair<FirmwareResult, QString> cases[] = {
        {loadFile(makeFirmwareText(firmwareBytes(fw::bufferSize), 0x3000, 1)), ""},
        {loadFile(makeFirmwareText(firmwareBytes(fw::bufferSize), 0xFFFF, 1)), ""},
        {loadFile(badCrc), "File is corrupted!"},
        {applyFirmwareFile(headerOnly, earlier), ""}};
    for (const auto& [r, message] : cases) {
        EXPECT_EQ(r.message, message);
        EXPECT_FALSE(r.accepted);
        EXPECT_EQ(fields(r.state), fields(earlier));
    }
}

TEST(FirmwareFile, LinesBeyondTheLastBufferLineAreIgnored)
{
    const Bytes data = firmwareBytes(fw::bufferSize);
    QStringList text = makeFirmwareText(data, 0x2000, 3);
    for (int i = 0; i < 50; ++i)
        text.append(i % 2 ? QString(256, u'0') : QString(5000, u'z'));
    const LoadedFile file = parseLoadedFile(text);
    EXPECT_EQ(file.firmware.ignoredLines, 50);
    const FirmwareResult r = applyFirmwareFile(file.firmware, {});
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.state.fwImage, data);
}

// Driver mode (pending unless the driver has the version) is tested on the window.
TEST(BuiltInFirmware, StickModeTakesImageAndLengthOnlyAndIgnoresFaultsSilently)
{
    const QStringList good = makeFirmwareText(firmwareBytes(128), 100, 0x30);
    const FirmwareResult r = applyBuiltInFirmware(parseFirmwareText(good), earlier, true, 0);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(fields(r.state), fields({firmwareBytes(128, fw::bufferSize), 100, 7, false}));
    EXPECT_EQ(r.hint, "Version 1.48");

    QStringList badCrc = good;
    badCrc[1][0] = u'9';
    const QStringList tooLong = makeFirmwareText(firmwareBytes(128), 0x3000, 2);
    for (const QStringList& lines : {badCrc, tooLong, QStringList{}, QStringList{""}}) {
        const FirmwareResult faulty = applyBuiltInFirmware(parseFirmwareText(lines), earlier, false, 0);
        EXPECT_TRUE(faulty.message.isEmpty());
        EXPECT_FALSE(faulty.accepted);
        EXPECT_EQ(fields(faulty.state), fields(earlier));
    }
}

} // namespace
} // namespace nolt
