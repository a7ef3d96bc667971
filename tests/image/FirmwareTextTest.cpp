#include "image/ConfigFile.h"
#include "image/FirmwareText.h"
#include "support/FirmwareTexts.h"

#include <gtest/gtest.h>

#include <tuple>

namespace nolt {
namespace {

// Every data line of the buffer, line k holding 128 bytes of value k (CRC by hand: 0x5988).
QStringList fullText(const char* length)
{
    QStringList text{QLatin1String("FWX") + QLatin1String(length) + QLatin1String("485988")};
    for (int k = 0; k < fw::maxDataLines; ++k)
        text << QStringLiteral("%1").arg(k, 2, 16, QLatin1Char('0')).toUpper().repeated(128);
    return text;
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
    QStringList text = fullText("2FFF");
    for (int i = 0; i < 50; ++i)
        text.append(i % 2 ? QString(256, u'0') : QString(5000, u'z'));
    const LoadedFile file = parseLoadedFile(text);
    EXPECT_EQ(file.firmware.ignoredLines, 50);
    const FirmwareResult r = applyFirmwareFile(file.firmware, earlier);
    EXPECT_TRUE(r.accepted && r.message.isEmpty());
    Bytes image;
    for (int k = 0; k < fw::maxDataLines; ++k)
        image.insert(image.end(), 128, static_cast<std::uint8_t>(k));
    EXPECT_EQ(fields(r.state), fields({image, 0x2FFF, 0x48, true}));
    EXPECT_EQ(r.hint, "Version 1.72");

    const FirmwareResult stick = applyBuiltInFirmware(parseFirmwareText(test::firmware200()), earlier, true, 0);
    EXPECT_TRUE(stick.accepted);
    Bytes stickImage(fw::bufferSize, 0xFF);
    std::fill_n(stickImage.begin(), 200, 0x3A);
    EXPECT_EQ(fields(stick.state), fields({stickImage, 0xC8, 7, false}));
    EXPECT_EQ(stick.hint, "Version 1.72");

    // One data line is enough; characters after the header's 13th are not read.
    const FirmwareResult one =
        applyFirmwareFile(parseFirmwareText({"FWX008048E961EE", test::bytesOf("3A", 128)}), earlier);
    EXPECT_TRUE(one.accepted) << one.message.toStdString();
    Bytes oneImage(fw::bufferSize, 0xFF);
    std::fill_n(oneImage.begin(), 128, 0x3A);
    EXPECT_EQ(fields(one.state), fields({oneImage, 0x80, 0x48, true}));
}

// Too long, a wrong CRC, no data line: the earlier state stays; only a loaded file reports the CRC.
TEST(FirmwareFile, RefusedFilesAndFaultyBuiltInImagesChangeNothing)
{
    QStringList badCrc = test::firmware200();
    badCrc[2][100] = u'B'; // a data digit
    EXPECT_EQ(parseLoadedFile({badCrc[0]}).kind, LoadedFileKind::TooFewLines);
    const std::pair<QStringList, QString> cases[] = {
        {fullText("3000"), ""}, {badCrc, "File is corrupted!"}, {{badCrc[0]}, ""}, {{}, ""}};
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
