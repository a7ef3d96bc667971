#include "image/ConfigFile.h"
#include "image/HexDataLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nolt {
namespace {

const QString corrupted = QStringLiteral("File is corrupted!");
const QString oldFormat = QStringLiteral("Old Format: Please check Parameter!");
const QString notConfig = QStringLiteral("Not a configuration or firmware file!");

// A 128-byte image unlike the default one in every byte; from byte `ff` on 0xFF, the astro data
// zeroed when `astroZero`.
Bytes pattern(int ff = img::imageSize, bool astroZero = false)
{
    Bytes b(img::imageSize, 0xFF);
    for (int i = 0; i < ff; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    if (astroZero)
        std::fill_n(b.begin() + img::astroData, img::astroDataLength, 0);
    return b;
}

ConfigLoadResult load(const QStringList& lines, const Bytes& image, bool copyAstro = false, bool noCheck = false)
{
    return applyConfigFile(parseLoadedFile(lines), image, copyAstro, noCheck);
}

// The whole file of the factory image is compared in the "Save" button's test.
TEST(ConfigSave, NameIsCutToEightCharacters)
{
    const Bytes defaults(defaultImage.begin(), defaultImage.end());
    EXPECT_EQ(buildConfigFile(defaults, "").first(), "MMN8A1C");
    EXPECT_EQ(buildConfigFile(defaults, "ABCDEFGHIJ").first(), "MMN8A1CABCDEFGH");
}

// The round trip through "Save" and "Load" is tested on the window; here what only a stick's 256-byte
// image shows.
TEST(ConfigLoad, StickImageKeepsItsUpperHalf)
{
    const ConfigLoadResult r = load(buildConfigFile(pattern(), ""), Bytes(img::stickImageSize, 0x5A), true);
    EXPECT_TRUE(r.messages.isEmpty());
    Bytes expected = pattern(img::storedBytes);
    expected.resize(img::stickImageSize, 0x5A);
    EXPECT_EQ(r.image, expected);
    EXPECT_TRUE(r.infoChanged);
    EXPECT_EQ(r.info, "") << "an empty name empties the info";
}

// Header "MMN3A39" (the CRC of pattern()'s bytes 0..95) or "MEM" with a right or wrong CRC; with
// noLoadCheck, or a short file, or lines beyond the eighth. A refused file keeps the whole image.
TEST(ConfigLoad, WhatEachFileLoads)
{
    QStringList saved = buildConfigFile(pattern(), "");
    QStringList full = QStringList{"MMN209E"} + writeHexDataLines(pattern(), 16).lines;
    for (int n = 0; n < 1000; ++n)
        full.append(n % 2 ? QStringLiteral("garbage") : QString(64, u'0'));
    const Bytes before(img::imageSize, 0x77);
    const struct {
        QStringList lines;
        bool noLoadCheck;
        QStringList messages;
        Bytes image;
    } cases[] = {
        {{}, false, {}, before},
        {{"MMN3A39Default"}, false, {}, before}, // header only
        {{"KTC3A39", "00"}, false, {notConfig}, before},
        {{"mmn3A39", "00"}, false, {notConfig}, before},
        {{QString(QChar(0)) + "MMN", "00"}, false, {notConfig}, before},
        {{"FWX0100480000", "00"}, false, {}, before}, // a firmware text: applied elsewhere
        {QStringList{"MMN3A39Name"} + saved.mid(1), false, {}, pattern(96, true)},
        {QStringList{"MEM3A39Name"} + saved.mid(1), false, {oldFormat}, pattern(96, true)},
        {QStringList{"MMN3A38Name"} + saved.mid(1), false, {corrupted}, before},
        {QStringList{"MEM3A38Name"} + saved.mid(1), false, {oldFormat, corrupted}, before},
        {QStringList{"MMN3A38Name"} + saved.mid(1), true, {}, pattern(96, true)},
        {QStringList{"MMN"} + saved.mid(1, 3), true, {}, pattern(48, true)},
        {full, false, {}, pattern(128, true)},
    };
    for (const auto& c : cases) {
        const ConfigLoadResult r = load(c.lines, before, false, c.noLoadCheck);
        const bool loads = c.image != before;
        EXPECT_EQ(r.messages, c.messages) << c.lines.value(0).toStdString();
        EXPECT_EQ(r.image, c.image) << c.lines.value(0).toStdString();
        EXPECT_EQ(r.imageReplaced, loads);
        EXPECT_EQ(r.infoChanged, loads);
        EXPECT_EQ(r.info, loads && c.lines[0].size() > 7 ? "Name" : "");
    }
    EXPECT_EQ(parseLoadedFile({"FWX0100480000", "00"}).kind, LoadedFileKind::Firmware);
    EXPECT_EQ(parseLoadedFile(full).config.ignoredLines, 1000);
}

// A malformed pair gives the value of the hexadecimal digits before the first bad character, 0 when
// there are none; either case; a line gives 16 bytes at most.
TEST(ConfigLoad, MalformedPairsReadTheirLeadingDigits)
{
    const struct {
        QString line;
        std::vector<std::uint8_t> first; // the leading bytes; the rest of the 16 are 0
        std::uint16_t crc;
    } cases[] = {
        {"", {}, 0x0000},
        {"1", {0x01}, 0x8605},
        {"1G22", {0x01, 0x22}, 0xA4C9},
        {" 1ab", {0x00, 0xAB}, 0xA8FA},
        {QString(QChar(0)) + "A" + QChar(0xFF) + "7bC", {0x00, 0x00, 0xBC}, 0x3CBF},
        {QString(100000, u'f'), std::vector<std::uint8_t>(16, 0xFF), 0x020E},
    };
    for (const auto& c : cases) {
        const LoadedFile file = parseLoadedFile({"MMN0000", c.line});
        Bytes expected(img::imageSize, 0xFF);
        std::fill_n(expected.begin(), 16, 0);
        std::copy(c.first.begin(), c.first.end(), expected.begin());
        EXPECT_EQ(file.config.buffer, expected) << c.line.left(20).toStdString();
        EXPECT_EQ(file.config.computedCrc, c.crc);
    }
    const LoadedFile file = parseLoadedFile({"MMN1Z34Name12345678", "00"});
    EXPECT_EQ(file.config.storedCrc, 0x1);
    EXPECT_EQ(file.config.name, "Name1234");
    EXPECT_EQ(parseLoadedFile({"MMN", "00"}).config.storedCrc, 0);
}

} // namespace
} // namespace nolt
