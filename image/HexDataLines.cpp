#include "image/HexDataLines.h"

#include "image/Crc16.h"
#include "image/NumberText.h"

#include <algorithm>

namespace nolt {

HexData readHexDataLines(const QStringList& lines, qsizetype first, int bytesPerLine, int maxLines)
{
    HexData data;
    data.buffer.assign(static_cast<std::size_t>(bytesPerLine) * maxLines, 0xFF);
    std::uint16_t crc = 0;
    const qsizetype available = std::max<qsizetype>(0, lines.size() - first);
    data.linesRead = static_cast<int>(std::min<qsizetype>(available, maxLines));
    data.linesIgnored = static_cast<int>(available - data.linesRead);
    for (int n = 0; n < data.linesRead; ++n) {
        const QString& line = lines[first + n];
        for (int p = 0; p < bytesPerLine; ++p) {
            const auto value = static_cast<std::uint8_t>(hexField(line, 2 * p, 2));
            data.buffer[static_cast<std::size_t>(n) * bytesPerLine + p] = value;
            crc = crc16Step(value, crc);
        }
    }
    data.crc = crc16Finish(crc);
    return data;
}

HexLines writeHexDataLines(std::span<const std::uint8_t> bytes, int bytesPerLine)
{
    HexLines out;
    std::uint16_t crc = 0;
    QString line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        line += hexDigits(bytes[i], 2);
        crc = crc16Step(bytes[i], crc);
        if ((i + 1) % bytesPerLine == 0 || i + 1 == bytes.size()) {
            out.lines.append(line);
            line.clear();
        }
    }
    out.crc = crc16Finish(crc);
    return out;
}

} // namespace nolt
