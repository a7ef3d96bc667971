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
const QString notConfig = QStringLiteral("Not a configuration or firmware file!");

Bytes defaults()
{
    return Bytes(defaultImage.begin(), defaultImage.end());
}

// A configuration file over `data` with a correct CRC.
QStringList configText(const Bytes& data)
{
    return QStringList{QStringLiteral("MMN") + hexDigits(crc16(data), 4)}
        + writeHexDataLines(data, 16).lines;
}

// A 128-byte image unlike the default one in every byte.
Bytes pattern()
{
    Bytes b(img::imageSize);
    for (int i = 0; i < img::imageSize; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return b;
}

ConfigLoadResult load(const QStringList& lines, const Bytes& image, bool copyAstro = false,
                      bool noLoadCheck = false)
{
    return applyConfigFile(parseLoadedFile(lines), image, copyAstro, noLoadCheck);
}

TEST(ConfigSave, DefaultImageGivesTheKnownLines)
{
    const QStringList expected = {
        "MMN8A1CDefault",
        "0C000064FF0000000000320000FF0000",
        "FF0000FF0000FF0000FF0000FF0000FF",
        "0000FF0000FFE800323C00640000FF00",
        "00FF0000FF0000FF0000FF0000FF0000",
        "FF0000FF01FF00000000000000000000",
        "000000000000000001000000000000FF",
    };
    EXPECT_EQ(buildConfigFile(defaults(), "Default"), expected);
}

TEST(ConfigSave, NameIsAtMostEightCharacters)
{
    EXPECT_EQ(buildConfigFile(defaults(), "").first(), "MMN8A1C");
    EXPECT_EQ(buildConfigFile(defaults(), "ABCDEFGHIJ").first(), "MMN8A1CABCDEFGH");
}

TEST(ConfigLoad, SavedFileRoundTrips)
{
    const Bytes source = pattern();
    Bytes stick(img::stickImageSize, 0x5A);
    const ConfigLoadResult r = load(buildConfigFile(source, "Lamp 7"), stick);
    EXPECT_TRUE(r.messages.isEmpty());
    ASSERT_TRUE(r.imageReplaced);
    ASSERT_EQ(r.image.size(), stick.size());
    for (int i = 0; i < img::stickImageSize; ++i) {
        const bool astro = i >= img::astroData && i < img::astroData + img::astroDataLength;
        const int expected = astro ? 0 : i < img::storedBytes ? source[i] : i < 128 ? 0xFF : 0x5A;
        EXPECT_EQ(r.image[i], expected) << i;
    }
    EXPECT_TRUE(r.infoChanged);
    EXPECT_EQ(r.info, "Lamp 7");
}

TEST(ConfigLoad, CopyAstroKeepsTheFileAstroBytes)
{
    const Bytes source = pattern();
    const ConfigLoadResult r = load(buildConfigFile(source, "x"), defaults(), true);
    EXPECT_TRUE(std::equal(source.begin(), source.begin() + img::storedBytes, r.image.begin()));
}

TEST(ConfigLoad, EmptyNameEmptiesTheInfo)
{
    const ConfigLoadResult r = load(buildConfigFile(pattern(), ""), defaults());
    EXPECT_TRUE(r.infoChanged);
    EXPECT_EQ(r.info, "");
}

TEST(ConfigLoad, FilesOfFewerThanTwoLinesAreDroppedSilently)
{
    for (const QStringList& lines : {QStringList{}, QStringList{"MMN8A1CDefault"}, QStringList{""}}) {
        const LoadedFile file = parseLoadedFile(lines);
        EXPECT_EQ(file.kind, LoadedFileKind::TooFewLines);
        const ConfigLoadResult r = applyConfigFile(file, pattern(), false, false);
        EXPECT_TRUE(r.messages.isEmpty());
        EXPECT_FALSE(r.imageReplaced);
        EXPECT_FALSE(r.infoChanged);
        EXPECT_EQ(r.image, pattern());
    }
}

TEST(ConfigLoad, TheTagAloneDecides)
{
    const struct {
        QString header;
        LoadedFileKind kind;
    } cases[] = {
        {"MMN8A1C", LoadedFileKind::Configuration}, {"MEM8A1C", LoadedFileKind::Configuration},
        {"FWX0100", LoadedFileKind::Firmware},      {"mmn8A1C", LoadedFileKind::UnknownTag},
        {"MM", LoadedFileKind::UnknownTag},         {"", LoadedFileKind::UnknownTag},
        {QString(QChar(0)) + "MMN", LoadedFileKind::UnknownTag},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseLoadedFile({c.header, "00"}).kind, c.kind) << c.header.toStdString();

    const ConfigLoadResult r = load({"KTC8A1C", "00"}, pattern());
    EXPECT_EQ(r.messages, QStringList{notConfig});
    EXPECT_FALSE(r.imageReplaced);
    EXPECT_EQ(r.image, pattern());
}

TEST(ConfigLoad, FirmwareFilesLeaveTheConfigurationAlone)
{
    const ConfigLoadResult r = load({"FWX0100480000", "00"}, pattern());
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_FALSE(r.imageReplaced);
    EXPECT_EQ(r.image, pattern());
}

TEST(ConfigLoad, OldFormatWarnsAndLoads)
{
    QStringList lines = buildConfigFile(pattern(), "Old");
    lines[0].replace(0, 3, "MEM");
    const ConfigLoadResult r = load(lines, defaults());
    EXPECT_EQ(r.messages, QStringList{oldFormat});
    EXPECT_TRUE(r.imageReplaced);
    EXPECT_EQ(r.image[0], pattern()[0]);
    EXPECT_EQ(r.info, "Old");
}

TEST(ConfigLoad, WrongCrcIsRefusedAndKeepsTheWholeImage)
{
    QStringList lines = buildConfigFile(pattern(), "Bad");
    lines[3][5] = lines[3][5] == u'0' ? u'1' : u'0';
    const Bytes before = defaults();
    const ConfigLoadResult r = load(lines, before);
    EXPECT_EQ(r.messages, QStringList{corrupted});
    EXPECT_FALSE(r.imageReplaced);
    EXPECT_FALSE(r.infoChanged);
    EXPECT_EQ(r.image, before); // astro bytes included

    lines[0].replace(0, 3, "MEM");
    EXPECT_EQ(load(lines, before).messages, (QStringList{oldFormat, corrupted}));
}

TEST(ConfigLoad, NoLoadCheckAcceptsAWrongCrcSilently)
{
    QStringList lines = buildConfigFile(pattern(), "Bad");
    lines[1].replace(0, 2, "EE");
    const ConfigLoadResult r = load(lines, defaults(), false, true);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_TRUE(r.imageReplaced);
    EXPECT_EQ(r.image[0], 0xEE);
    EXPECT_EQ(r.info, "Bad");
}

TEST(ConfigLoad, ShortFileFillsTheRestWithFF)
{
    Bytes data(48);
    for (int i = 0; i < 48; ++i)
        data[i] = static_cast<std::uint8_t>(0xC0 ^ i);
    const QStringList lines = configText(data);
    ASSERT_EQ(lines.size(), 4);
    const ConfigLoadResult r = load(lines, defaults(), true);
    ASSERT_TRUE(r.messages.isEmpty());
    for (int i = 0; i < img::imageSize; ++i)
        EXPECT_EQ(r.image[i], i < 48 ? data[i] : 0xFF) << i;
}

TEST(ConfigLoad, LowerCaseDigitsLoadLikeUpperCase)
{
    QStringList lines = buildConfigFile(pattern(), "lc");
    for (qsizetype i = 1; i < lines.size(); ++i)
        lines[i] = lines[i].toLower();
    lines[0] = lines[0].left(3) + lines[0].mid(3, 4).toLower() + lines[0].mid(7);
    const ConfigLoadResult r = load(lines, defaults(), true);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_TRUE(std::equal(r.image.begin(), r.image.begin() + img::storedBytes, pattern().begin()));
}

// Each data line gives 16 bytes; a malformed pair gives the value of the
// hexadecimal digits before the first bad character, 0 when there are none.
TEST(ConfigLoad, MalformedPairsReadTheirLeadingDigits)
{
    const struct {
        QString line;
        std::vector<std::uint8_t> first; // the leading bytes; the rest of the 16 are 0
    } cases[] = {
        {"", {}},
        {"1", {0x01}},
        {"1G22", {0x01, 0x22}},
        {"G122", {0x00, 0x22}},
        {" 1ab", {0x00, 0xAB}},
        {QString(QChar(0)) + "A" + QChar(0xFF) + "7bC", {0x00, 0x00, 0xBC}},
        {"0123456789abcdefABCDEF0123456789XYZ", {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                                 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67, 0x89}},
        {QString(100000, u'f'), std::vector<std::uint8_t>(16, 0xFF)},
    };
    for (const auto& c : cases) {
        const LoadedFile file = parseLoadedFile({"MMN0000", c.line});
        Bytes expected(16, 0);
        std::copy(c.first.begin(), c.first.end(), expected.begin());
        ASSERT_EQ(file.config.buffer.size(), 128u);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.config.buffer.begin()))
            << c.line.left(40).toStdString();
        EXPECT_EQ(file.config.computedCrc, crc16(expected));
        EXPECT_TRUE(std::all_of(file.config.buffer.begin() + 16, file.config.buffer.end(),
                                [](std::uint8_t b) { return b == 0xFF; }));
    }
}

TEST(ConfigLoad, MalformedHeaderFields)
{
    LoadedFile file = parseLoadedFile({"MMN", "00"});
    EXPECT_EQ(file.config.storedCrc, 0);
    EXPECT_EQ(file.config.name, "");
    file = parseLoadedFile({"MMN1Z34Name12345678", "00"});
    EXPECT_EQ(file.config.storedCrc, 0x1);
    EXPECT_EQ(file.config.name, "Name1234");
}

TEST(ConfigLoad, LinesBeyondTheEighthAreIgnored)
{
    const Bytes full = pattern();
    QStringList lines = configText(full);
    for (int n = 0; n < 1000; ++n)
        lines.append(n % 2 ? QStringLiteral("garbage") : QString(64, u'0'));

    const LoadedFile file = parseLoadedFile(lines);
    EXPECT_EQ(file.config.ignoredLines, 1000);
    EXPECT_EQ(file.config.buffer, full);
    const ConfigLoadResult r = applyConfigFile(file, defaults(), true, false);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(r.image, full);
}

} // namespace
} // namespace nolt
