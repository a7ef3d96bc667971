#include "image/ConfigFile.h"
#include "image/Crc16.h"
#include "image/HexDataLines.h"
#include "image/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nolt {
namespace {

const QString corrupted = QStringLiteral("File is corrupted!");
const QString oldFormat = QStringLiteral("Old Format: Please check Parameter!");

Bytes defaults()
{
    return Bytes(defaultImage.begin(), defaultImage.end());
}

// A 128-byte image unlike the default one in every byte.
Bytes pattern()
{
    Bytes b(img::imageSize);
    for (int i = 0; i < img::imageSize; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

// A configuration file over `data` with a correct CRC.
QStringList configText(const Bytes& data)
{
    return QStringList{QStringLiteral("MMN") + hexDigits(crc16(data), 4)}
        + writeHexDataLines(data, 16).lines;
}

ConfigLoadResult load(const QStringList& lines, const Bytes& image, bool copyAstro = false,
                      bool noLoadCheck = false)
{
    return applyConfigFile(parseLoadedFile(lines), image, copyAstro, noLoadCheck);
}

// The whole file of the factory image is compared in the "Save" button's test.
TEST(ConfigSave, NameIsCutToEightCharacters)
{
    EXPECT_EQ(buildConfigFile(defaults(), "").first(), "MMN8A1C");
    EXPECT_EQ(buildConfigFile(defaults(), "ABCDEFGHIJ").first(), "MMN8A1CABCDEFGH");
}

// The round trip through "Save" and "Load" is tested on the window; here
// what only a stick's 256-byte image shows.
TEST(ConfigLoad, StickImageKeepsItsUpperHalf)
{
    const ConfigLoadResult r = load(buildConfigFile(pattern(), ""), Bytes(img::stickImageSize, 0x5A), true);
    EXPECT_TRUE(r.messages.isEmpty());
    Bytes expected = pattern();
    std::fill(expected.begin() + img::storedBytes, expected.end(), 0xFF);
    expected.resize(img::stickImageSize, 0x5A);
    EXPECT_EQ(r.image, expected);
    EXPECT_TRUE(r.infoChanged);
    EXPECT_EQ(r.info, "") << "an empty name empties the info";
}

TEST(ConfigLoad, FilesThatLoadNothing)
{
    const struct {
        QStringList lines;
        QStringList messages;
    } cases[] = {
        {{}, {}},
        {{"MMN8A1CDefault"}, {}},                           // header only
        {{"KTC8A1C", "00"}, {"Not a configuration or firmware file!"}},
        {{"mmn8A1C", "00"}, {"Not a configuration or firmware file!"}},
        {{QString(QChar(0)) + "MMN", "00"}, {"Not a configuration or firmware file!"}},
        {{"FWX0100480000", "00"}, {}},                      // a firmware text: applied elsewhere
    };
    for (const auto& c : cases) {
        const ConfigLoadResult r = load(c.lines, pattern());
        EXPECT_EQ(r.messages, c.messages) << c.lines.value(0).toStdString();
        EXPECT_FALSE(r.imageReplaced);
        EXPECT_FALSE(r.infoChanged);
        EXPECT_EQ(r.image, pattern());
    }
    EXPECT_EQ(parseLoadedFile({"FWX0100480000", "00"}).kind, LoadedFileKind::Firmware);
}

TEST(ConfigLoad, TagCrcAndNoLoadCheckDecide)
{
    const QStringList saved = buildConfigFile(pattern(), "Name");
    const std::uint16_t crc = static_cast<std::uint16_t>(saved[0].mid(3, 4).toUInt(nullptr, 16));
    const struct {
        const char* tag;
        bool wrongCrc, noLoadCheck;
        QStringList messages;
        bool loads;
    } cases[] = {
        {"MMN", false, false, {}, true},
        {"MEM", false, false, {oldFormat}, true},
        {"MMN", true, false, {corrupted}, false},
        {"MEM", true, false, {oldFormat, corrupted}, false},
        {"MMN", true, true, {}, true},
    };
    for (const auto& c : cases) {
        QStringList lines = saved;
        lines[0] = c.tag + hexDigits(c.wrongCrc ? crc ^ 1 : crc, 4) + "Name";
        const Bytes before(img::imageSize, 0x77);
        const ConfigLoadResult r = load(lines, before, false, c.noLoadCheck);
        EXPECT_EQ(r.messages, c.messages) << c.tag << c.wrongCrc;
        EXPECT_EQ(r.imageReplaced, c.loads);
        EXPECT_EQ(r.infoChanged, c.loads);
        // A refused file keeps the whole image, the astro bytes included.
        Bytes expected = before;
        if (c.loads) {
            expected = pattern();
            std::fill(expected.begin() + img::storedBytes, expected.end(), 0xFF);
            std::fill_n(expected.begin() + img::astroData, img::astroDataLength, 0);
        }
        EXPECT_EQ(r.image, expected);
    }
}

TEST(ConfigLoad, ShortFileFillsTheRestWithFF)
{
    Bytes data = pattern();
    data.resize(48);
    const ConfigLoadResult r = load(configText(data), defaults(), true);
    EXPECT_TRUE(r.messages.isEmpty());
    data.resize(img::imageSize, 0xFF);
    EXPECT_EQ(r.image, data);
}

// A malformed pair gives the value of the hexadecimal digits before the
// first bad character, 0 when there are none; either case; a line gives 16
// bytes at most.
TEST(ConfigLoad, MalformedPairsReadTheirLeadingDigits)
{
    const struct {
        QString line;
        std::vector<std::uint8_t> first; // the leading bytes; the rest of the 16 are 0
    } cases[] = {
        {"", {}},
        {"1", {0x01}},
        {"1G22", {0x01, 0x22}},
        {" 1ab", {0x00, 0xAB}},
        {QString(QChar(0)) + "A" + QChar(0xFF) + "7bC", {0x00, 0x00, 0xBC}},
        {QString(100000, u'f'), std::vector<std::uint8_t>(16, 0xFF)},
    };
    for (const auto& c : cases) {
        const LoadedFile file = parseLoadedFile({"MMN0000", c.line});
        Bytes expected(img::imageSize, 0xFF);
        std::fill_n(expected.begin(), 16, 0);
        std::copy(c.first.begin(), c.first.end(), expected.begin());
        EXPECT_EQ(file.config.buffer, expected) << c.line.left(20).toStdString();
        EXPECT_EQ(file.config.computedCrc, crc16(std::span(expected).first(16)));
    }
    const LoadedFile file = parseLoadedFile({"MMN1Z34Name12345678", "00"});
    EXPECT_EQ(file.config.storedCrc, 0x1);
    EXPECT_EQ(file.config.name, "Name1234");
    EXPECT_EQ(parseLoadedFile({"MMN", "00"}).config.storedCrc, 0);
}

TEST(ConfigLoad, LinesBeyondTheEighthAreIgnored)
{
    QStringList lines = configText(pattern());
    for (int n = 0; n < 1000; ++n)
        lines.append(n % 2 ? QStringLiteral("garbage") : QString(64, u'0'));
    const LoadedFile file = parseLoadedFile(lines);
    EXPECT_EQ(file.config.ignoredLines, 1000);
    const ConfigLoadResult r = applyConfigFile(file, defaults(), true, false);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(r.image, pattern());
}

} // namespace
} // namespace nolt
