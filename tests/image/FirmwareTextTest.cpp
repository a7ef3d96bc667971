#include "image/ConfigFile.h"
#include "image/FirmwareText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace nolt {
namespace {

// n bytes of a pattern, then 0xFF up to `size`.
Bytes firmwareBytes(int n, int size = 0)
{
    Bytes b(std::max(n, size), 0xFF);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
    return b;
}

const FirmwareState earlier{Bytes(fw::bufferSize, 0x11), 0x0200, 7, false}; // left by an earlier file

auto fields(const FirmwareState& s)
{
    return std::tie(s.fwImage, s.fwLength, s.fwImageVersion, s.fwUpdatePending);
}

// A loaded file: a full image with the longest length, lines beyond the last buffer line ignored. A built-in
// image behind a stick gives image and length only (driver mode is tested on the window).
TEST(FirmwareFile, AcceptedFileIsPendingAndBuiltInImageBehindAStickGivesImageAndLength)
{
    QStringList text = makeFirmwareText(firmwareBytes(fw::bufferSize), 0x2FFF, 0x48);
    for (int i = 0; i < 50; ++i)
        text.append(i % 2 ? QString(256, u'0') : QString(5000, u'z'));
    const LoadedFile file = parseLoadedFile(text);
    EXPECT_EQ(file.firmware.ignoredLines, 50);
    const FirmwareResult r = applyFirmwareFile(file.firmware, earlier);
    EXPECT_TRUE(r.accepted && r.message.isEmpty());
    EXPECT_EQ(fields(r.state), fields({firmwareBytes(fw::bufferSize), 0x2FFF, 0x48, true}));
    EXPECT_EQ(r.hint, "Version 1.72");

    text = makeFirmwareText(firmwareBytes(200), 0x00C8, 0x30);
    EXPECT_EQ(text[0], "FWX00C8309EFF"); // CRC over the 200 bytes and 56 bytes 0xFF
    const FirmwareResult stick = applyBuiltInFirmware(parseFirmwareText(text), earlier, true, 0);
    EXPECT_TRUE(stick.accepted);
    EXPECT_EQ(fields(stick.state), fields({firmwareBytes(200, fw::bufferSize), 0xC8, 7, false}));
    EXPECT_EQ(stick.hint, "Version 1.48");
}

// Too long, a wrong CRC, no data line: the earlier state stays; only a loaded file reports the CRC.
TEST(FirmwareFile, RefusedFilesAndFaultyBuiltInImagesChangeNothing)
{
    QStringList badCrc = makeFirmwareText(firmwareBytes(300), 300, 9);
    badCrc[2][100] = badCrc[2][100] == u'A' ? u'B' : u'A';
    EXPECT_EQ(parseLoadedFile({badCrc[0]}).kind, LoadedFileKind::TooFewLines);
    const std::pair<QStringList, QString> cases[] = {
        {makeFirmwareText(firmwareBytes(fw::bufferSize), 0x3000, 1), ""}, {badCrc, "File is corrupted!"},
        {{badCrc[0]}, ""}, {{}, ""}};
    for (const auto& [lines, message] : cases) {
        const FirmwareText text = parseFirmwareText(lines);
        const FirmwareResult file = applyFirmwareFile(text, earlier);
        const FirmwareResult builtIn = applyBuiltInFirmware(text, earlier, false, 0);
        EXPECT_EQ(file.message, message);
        EXPECT_FALSE(file.accepted || builtIn.accepted);
        EXPECT_EQ(fields(file.state), fields(earlier));
        EXPECT_EQ(fields(builtIn.state), fields(earlier));
    }
}

} // namespace
} // namespace nolt
