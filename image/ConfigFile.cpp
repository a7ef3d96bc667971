#include "image/ConfigFile.h"

#include "image/HexDataLines.h"
#include "image/NumberText.h"

#include <algorithm>

namespace nolt {

QStringList buildConfigFile(const Bytes& image, const QString& info)
{
    Bytes stored(img::storedBytes, 0xFF);
    std::copy_n(image.begin(), std::min<std::size_t>(image.size(), stored.size()), stored.begin());
    HexLines body = writeHexDataLines(stored, cfg::bytesPerLine);
    body.lines.prepend(QStringLiteral("MMN") + hexDigits(body.crc, 4) + info.left(cfg::nameLength));
    return body.lines;
}

LoadedFile parseLoadedFile(const QStringList& lines)
{
    LoadedFile file;
    if (lines.size() < 2)
        return file;
    const QString& header = lines.first();
    const QStringView tag = QStringView(header).left(3);
    if (tag == u"FWX") {
        file.kind = LoadedFileKind::Firmware;
        file.firmware = parseFirmwareText(lines);
        return file;
    }
    if (tag != u"MMN" && tag != u"MEM") {
        file.kind = LoadedFileKind::UnknownTag;
        return file;
    }
    file.kind = LoadedFileKind::Configuration;
    ConfigFileData& config = file.config;
    config.oldFormat = tag == u"MEM";
    config.storedCrc = static_cast<std::uint16_t>(hexField(header, 3, 4));
    config.name = header.mid(7, cfg::nameLength);
    HexData data = readHexDataLines(lines, 1, cfg::bytesPerLine, cfg::maxDataLines);
    config.buffer = std::move(data.buffer);
    config.computedCrc = data.crc;
    config.ignoredLines = data.linesIgnored;
    return file;
}

ConfigLoadResult applyConfigFile(const LoadedFile& file, const Bytes& image, bool copyAstro,
                                 bool noLoadCheck)
{
    ConfigLoadResult result;
    result.image = image;
    if (file.kind == LoadedFileKind::UnknownTag)
        result.messages.append(QStringLiteral("Not a configuration or firmware file!"));
    if (file.kind != LoadedFileKind::Configuration)
        return result;

    const ConfigFileData& config = file.config;
    if (config.oldFormat)
        result.messages.append(QStringLiteral("Old Format: Please check Parameter!"));
    if (config.computedCrc != config.storedCrc && !noLoadCheck) {
        result.messages.append(QStringLiteral("File is corrupted!"));
        return result;
    }
    if (result.image.size() < config.buffer.size())
        result.image.resize(config.buffer.size());
    std::copy(config.buffer.begin(), config.buffer.end(), result.image.begin());
    if (!copyAstro)
        std::fill_n(result.image.begin() + img::astroData, img::astroDataLength, 0);
    result.imageReplaced = true;
    result.infoChanged = true;
    result.info = config.name;
    return result;
}

} // namespace nolt
