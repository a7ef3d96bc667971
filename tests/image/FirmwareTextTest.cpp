#include "image/ConfigFile.h"
#include "image/Crc16.h"
#include "image/FirmwareText.h"
#include "image/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nolt {
namespace {

Bytes firmwareBytes(int n)
{
    Bytes b(n);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
    return b;
}

// A state that an earlier firmware file left.
const FirmwareState earlier{Bytes(fw::bufferSize, 0x11), 0x0200, 7, false};

void expectEarlier(const FirmwareResult& r)
{
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.state.fwImage, earlier.fwImage);
    EXPECT_EQ(r.state.fwLength, earlier.fwLength);
    EXPECT_EQ(r.state.fwImageVersion, earlier.fwImageVersion);
    EXPECT_EQ(r.state.fwUpdatePending, earlier.fwUpdatePending);
}

FirmwareResult loadFile(const QStringList& lines, const FirmwareState& state = earlier)
{
    const LoadedFile file = parseLoadedFile(lines);
    EXPECT_EQ(file.kind, LoadedFileKind::Firmware);
    return applyFirmwareFile(file.firmware, state);
}

TEST(FirmwareText, GeneratedTextHasTheDocumentedForm)
{
    const Bytes data = firmwareBytes(200);
    const QStringList text = makeFirmwareText(data, 0x00C8, 0x48);
    ASSERT_EQ(text.size(), 3);
    Bytes padded = data;
    padded.resize(256, 0xFF);
    EXPECT_EQ(text[0], "FWX00C848" + hexDigits(crc16(padded), 4));
    EXPECT_EQ(text[1].left(6), "000D1A");
    EXPECT_EQ(text[2], text[2].left(2 * 72) + QString(2 * 56, u'F'));
}

TEST(FirmwareFile, TwoLinesFillTheStartOfTheImage)
{
    const Bytes data = firmwareBytes(256);
    const FirmwareResult r = loadFile(makeFirmwareText(data, 0x0100, 0x48));
    ASSERT_TRUE(r.accepted);
    EXPECT_TRUE(r.message.isEmpty());
    Bytes expected = data;
    expected.resize(fw::bufferSize, 0xFF);
    EXPECT_EQ(r.state.fwImage, expected);
    EXPECT_EQ(r.state.fwLength, 0x100);
    EXPECT_EQ(r.state.fwImageVersion, 0x48);
    EXPECT_TRUE(r.state.fwUpdatePending);
    EXPECT_EQ(r.hint, "Version 1.72");
}

TEST(FirmwareFile, LengthMustStayBelowTheImageSize)
{
    const Bytes data = firmwareBytes(fw::bufferSize);
    const FirmwareResult ok = loadFile(makeFirmwareText(data, 0x2FFF, 1));
    EXPECT_TRUE(ok.accepted);
    EXPECT_EQ(ok.state.fwLength, 0x2FFF);
    for (const int length : {0x3000, 0xFFFF}) {
        const FirmwareResult dropped = loadFile(makeFirmwareText(data, length, 1));
        EXPECT_TRUE(dropped.message.isEmpty());
        expectEarlier(dropped);
    }
}

TEST(FirmwareFile, WrongCrcOrNoDataChangesNothing)
{
    QStringList text = makeFirmwareText(firmwareBytes(300), 300, 9);
    text[2][100] = text[2][100] == u'A' ? u'B' : u'A';
    const FirmwareResult bad = loadFile(text);
    EXPECT_EQ(bad.message, "File is corrupted!");
    expectEarlier(bad);

    const QStringList headerOnly = {text[0]};
    EXPECT_EQ(parseLoadedFile(headerOnly).kind, LoadedFileKind::TooFewLines);
    const FirmwareResult empty = applyFirmwareFile(parseFirmwareText(headerOnly), earlier);
    EXPECT_TRUE(empty.message.isEmpty());
    expectEarlier(empty);
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
TEST(BuiltInFirmware, StickModeTakesImageAndLengthOnly)
{
    const FirmwareText text = parseFirmwareText(makeFirmwareText(firmwareBytes(128), 100, 0x30));
    const FirmwareResult r = applyBuiltInFirmware(text, earlier, true, 0);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.state.fwLength, 100);
    EXPECT_EQ(r.state.fwImageVersion, earlier.fwImageVersion);
    EXPECT_EQ(r.state.fwUpdatePending, earlier.fwUpdatePending);
    EXPECT_EQ(r.hint, "Version 1.48");
}

TEST(BuiltInFirmware, FaultyImagesAreIgnoredSilently)
{
    QStringList badCrc = makeFirmwareText(firmwareBytes(128), 100, 2);
    badCrc[1][0] = u'9';
    const QStringList tooLong = makeFirmwareText(firmwareBytes(128), 0x3000, 2);
    for (const QStringList& lines : {badCrc, tooLong, QStringList{}, QStringList{""}}) {
        const FirmwareResult r = applyBuiltInFirmware(parseFirmwareText(lines), earlier, false, 0);
        EXPECT_TRUE(r.message.isEmpty());
        expectEarlier(r);
    }
}

} // namespace
} // namespace nolt
