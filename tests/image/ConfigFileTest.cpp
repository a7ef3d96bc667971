#include "image/ConfigFile.h"
#include "image/HexDataLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace nolt {
namespace {

const QString corrupted = QStringLiteral("File is corrupted!");
const QString oldFormat = QStringLiteral("Old Format: Please check Parameter!");

// A 128-byte image unlike the default one; from byte `ff` on 0xFF, the astro data zeroed when `astroZero`.
Bytes pattern(int ff = img::imageSize, bool astroZero = false)
{
    Bytes b(img::imageSize, 0xFF);
    for (int i = 0; i < ff; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    if (astroZero)
        std::fill_n(b.begin() + img::astroData, img::astroDataLength, 0);
    return b;
}

// "MMN3A39" (the CRC of pattern()'s bytes 0..95) or "MEM", right or wrong CRC, noLoadCheck, a short file, lines past
// the eighth, a stick's image (keeps its upper half and the astro data on request). A refused file changes nothing.
TEST(ConfigLoad, WhatEachFileLoads)
{
    const QStringList saved = buildConfigFile(pattern(), "");
    QStringList full = QStringList{"MMN209E"} + writeHexDataLines(pattern(), 16).lines;
    for (int n = 0; n < 1000; ++n)
        full.append(n % 2 ? QStringLiteral("garbage") : QString(64, u'0'));
    const Bytes before(img::imageSize, 0x77);
    Bytes stick = pattern(img::storedBytes);
    stick.resize(img::stickImageSize, 0x5A);
    const std::tuple<QStringList, bool, QStringList, Bytes> cases[] = {
        {{"MMN3A39Default"}, false, {}, before}, // header only
        {{QString(QChar(0)) + "MMN", "00"}, false, {"Not a configuration or firmware file!"}, before},
        {{"FWX0100480000", "00"}, false, {}, before}, // a firmware text: applied elsewhere
        {QStringList{"MMN3A39Name"} + saved.mid(1), false, {}, pattern(96, true)},
        {QStringList{"MEM3A39Name"} + saved.mid(1), false, {oldFormat}, pattern(96, true)},
        {QStringList{"MMN3A38Name"} + saved.mid(1), false, {corrupted}, before},
        {QStringList{"MEM3A38Name"} + saved.mid(1), false, {oldFormat, corrupted}, before},
        {QStringList{"MMN3A38Name"} + saved.mid(1), true, {}, pattern(96, true)},
        {QStringList{"MMN"} + saved.mid(1, 3), true, {}, pattern(48, true)},
        {full, false, {}, pattern(128, true)},
        {saved, false, {}, stick}};
    for (const auto& [lines, noLoadCheck, messages, image] : cases) {
        const bool isStick = image.size() == img::stickImageSize, loads = image != before;
        const ConfigLoadResult r = applyConfigFile(
            parseLoadedFile(lines), isStick ? Bytes(img::stickImageSize, 0x5A) : before, isStick, noLoadCheck);
        EXPECT_EQ(r.messages, messages) << lines.value(0).toStdString();
        EXPECT_EQ(r.image, image) << lines.value(0).toStdString();
        EXPECT_EQ(r.imageReplaced, loads);
        EXPECT_EQ(r.infoChanged, loads);
        EXPECT_EQ(r.info, loads && lines[0].size() > 7 ? "Name" : "");
    }
    EXPECT_EQ(parseLoadedFile(full).config.ignoredLines, 1000);
}

// A malformed pair gives the value of the hexadecimal digits before the first bad character, 0 when there are
// none; either case; a line gives 16 bytes at most. The header's CRC reads the same way.
TEST(ConfigLoad, MalformedPairsReadTheirLeadingDigits)
{
    const LoadedFile file = parseLoadedFile(
        {"MMN1Z34Name12345678", "1G22 1ab", QString(QChar(0)) + "A\u00FF7bC", QString(100000, u'f'), "11"});
    const QByteArray want = QByteArray::fromHex("012200AB" + QByteArray(24, '0') + "0000BC" + QByteArray(26, '0')
                                                + QByteArray(32, 'F') + "11" + QByteArray(30, '0'))
        + QByteArray(64, '\xFF');
    EXPECT_EQ(file.config.buffer, Bytes(want.begin(), want.end()));
    EXPECT_EQ(std::tuple(file.config.storedCrc, file.config.name), std::tuple(0x1, "Name1234"));
}

// A saved file's header always carries four CRC digits, leading zeros kept, then at most eight characters of name.
TEST(ConfigSave, HeaderKeepsFourCrcDigits)
{
    const QStringList lines = buildConfigFile(Bytes(img::storedBytes, 0), "ZeroesAndMore");
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "MMN0000ZeroesAn");
    EXPECT_EQ(lines[1], QString(32, u'0'));
}

} // namespace
} // namespace nolt
