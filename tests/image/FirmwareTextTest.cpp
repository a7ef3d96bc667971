#include "image/ConfigFile.h"
#include "image/Crc16.h"
#include "image/FirmwareText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nolt {
namespace {

const QString corrupted = QStringLiteral("File is corrupted!");

Bytes firmwareBytes(int n)
{
    Bytes b(n);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
    return b;
}

// A state that an earlier firmware file left.
FirmwareState earlier()
{
    return {Bytes(fw::bufferSize, 0x11), 0x0200, 7, false};
}

void expectSame(const FirmwareState& a, const FirmwareState& b)
{
    EXPECT_EQ(a.fwImage, b.fwImage);
    EXPECT_EQ(a.fwLength, b.fwLength);
    EXPECT_EQ(a.fwImageVersion, b.fwImageVersion);
    EXPECT_EQ(a.fwUpdatePending, b.fwUpdatePending);
}

FirmwareResult loadFile(const QStringList& lines, const FirmwareState& state)
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
    const QString crc = QStringLiteral("%1").arg(crc16(padded), 4, 16, QChar('0')).toUpper();
    EXPECT_EQ(text[0], "FWX00C848" + crc);
    EXPECT_EQ(text[1].size(), 256);
    EXPECT_EQ(text[2].right(2 * 56), QString(2 * 56, u'F'));
    EXPECT_EQ(text[1].left(6), "000D1A");
}

TEST(FirmwareFile, TwoLinesFillTheStartOfTheImage)
{
    const Bytes data = firmwareBytes(256);
    const FirmwareResult r = loadFile(makeFirmwareText(data, 0x0100, 0x48), earlier());
    ASSERT_TRUE(r.accepted);
    EXPECT_TRUE(r.message.isEmpty());
    ASSERT_EQ(r.state.fwImage.size(), static_cast<std::size_t>(fw::bufferSize));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), r.state.fwImage.begin()));
    EXPECT_TRUE(std::all_of(r.state.fwImage.begin() + 256, r.state.fwImage.end(),
                            [](std::uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(r.state.fwLength, 0x100);
    EXPECT_EQ(r.state.fwImageVersion, 0x48);
    EXPECT_TRUE(r.state.fwUpdatePending);
    EXPECT_EQ(r.hint, "Version 1.72");
}

TEST(FirmwareFile, LengthMustStayBelowTheImageSize)
{
    const Bytes data = firmwareBytes(fw::bufferSize);
    const FirmwareResult ok = loadFile(makeFirmwareText(data, 0x2FFF, 1), earlier());
    EXPECT_TRUE(ok.accepted);
    EXPECT_EQ(ok.state.fwLength, 0x2FFF);
    EXPECT_EQ(ok.state.fwImage, data);

    for (const int length : {0x3000, 0xFFFF}) {
        const FirmwareResult dropped = loadFile(makeFirmwareText(data, length, 1), earlier());
        EXPECT_FALSE(dropped.accepted);
        EXPECT_TRUE(dropped.message.isEmpty());
        expectSame(dropped.state, earlier());
    }
}

TEST(FirmwareFile, WrongCrcChangesNothing)
{
    QStringList text = makeFirmwareText(firmwareBytes(300), 300, 9);
    text[2][100] = text[2][100] == u'A' ? u'B' : u'A';
    const FirmwareResult r = loadFile(text, earlier());
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.message, corrupted);
    expectSame(r.state, earlier());
}

TEST(FirmwareFile, HeaderOnlyIsDroppedSilently)
{
    const QStringList headerOnly = {makeFirmwareText(firmwareBytes(10), 10, 1)[0]};
    EXPECT_EQ(parseLoadedFile(headerOnly).kind, LoadedFileKind::TooFewLines);
    const FirmwareResult r = applyFirmwareFile(parseFirmwareText(headerOnly), earlier());
    EXPECT_FALSE(r.accepted);
    EXPECT_TRUE(r.message.isEmpty());
}

TEST(FirmwareFile, LinesBeyondTheLastBufferLineAreIgnored)
{
    const Bytes data = firmwareBytes(fw::bufferSize);
    QStringList text = makeFirmwareText(data, 0x2000, 3);
    for (int i = 0; i < 50; ++i)
        text.append(i % 2 ? QString(256, u'0') : QString(5000, u'z'));
    const LoadedFile file = parseLoadedFile(text);
    EXPECT_EQ(file.firmware.dataLines, fw::maxDataLines);
    EXPECT_EQ(file.firmware.ignoredLines, 50);
    const FirmwareResult r = applyFirmwareFile(file.firmware, {});
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.state.fwImage, data);
}

TEST(FirmwareFile, LowerCaseAndMalformedPairsReadLikeConfigurationFiles)
{
    QStringList text = makeFirmwareText(firmwareBytes(128), 128, 0xAB);
    text[0] = "FWX" + text[0].mid(3).toLower(); // the tag itself is case-sensitive
    text[1] = text[1].toLower();
    EXPECT_TRUE(loadFile(text, {}).accepted);

    text[1] = QStringLiteral("1G") + text[1].mid(2);
    const FirmwareText parsed = parseFirmwareText(text);
    EXPECT_EQ(parsed.buffer[0], 0x01);
    EXPECT_NE(parsed.computedCrc, parsed.storedCrc);
}

TEST(BuiltInFirmware, DriverModeIsPendingUnlessTheDriverHasThisVersion)
{
    const Bytes data = firmwareBytes(6272);
    const FirmwareText text = parseFirmwareText(makeFirmwareText(data, 6000, 0x15));

    const FirmwareResult same = applyBuiltInFirmware(text, {}, false, 0x15);
    ASSERT_TRUE(same.accepted);
    EXPECT_FALSE(same.state.fwUpdatePending);
    EXPECT_EQ(same.hint, "Version 1.21");
    EXPECT_EQ(same.state.fwImageVersion, 0x15);
    EXPECT_EQ(same.state.fwLength, 6000);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), same.state.fwImage.begin()));

    for (const int driver : {0, 0x14}) {
        const FirmwareResult update = applyBuiltInFirmware(text, {}, false, driver);
        ASSERT_TRUE(update.accepted);
        EXPECT_TRUE(update.state.fwUpdatePending);
        EXPECT_EQ(update.hint, "Version 1.21 (Update!)");
    }
}

TEST(BuiltInFirmware, StickModeTakesImageAndLengthOnly)
{
    FirmwareText text = parseFirmwareText(makeFirmwareText(firmwareBytes(128), 100, 0x30));
    const FirmwareResult r = applyBuiltInFirmware(text, earlier(), true, 0);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.state.fwLength, 100);
    EXPECT_EQ(r.state.fwImageVersion, earlier().fwImageVersion);
    EXPECT_EQ(r.state.fwUpdatePending, earlier().fwUpdatePending);
    EXPECT_EQ(r.hint, "Version 1.48");
}

TEST(BuiltInFirmware, TagIsNotExamined)
{
    QStringList lines = makeFirmwareText(firmwareBytes(128), 100, 2);
    lines[0].replace(0, 3, "XYZ");
    EXPECT_TRUE(applyBuiltInFirmware(parseFirmwareText(lines), {}, false, 0).accepted);
}

TEST(BuiltInFirmware, FaultyImagesAreIgnoredSilently)
{
    QStringList badCrc = makeFirmwareText(firmwareBytes(128), 100, 2);
    badCrc[1][0] = u'9';
    const QStringList tooLong = makeFirmwareText(firmwareBytes(128), 0x3000, 2);
    for (const QStringList& lines : {badCrc, tooLong, QStringList{}, QStringList{""}}) {
        const FirmwareResult r = applyBuiltInFirmware(parseFirmwareText(lines), earlier(), false, 0);
        EXPECT_FALSE(r.accepted);
        EXPECT_TRUE(r.message.isEmpty());
        expectSame(r.state, earlier());
    }
}

} // namespace
} // namespace nolt
