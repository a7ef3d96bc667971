#include "image/FirmwareText.h"

#include "image/HexDataLines.h"
#include "image/NumberText.h"

namespace nolt {

namespace {

// What both sources need besides the CRC: at least one data line, and a
// length inside the image.
bool fitsImage(const FirmwareText& text)
{
    return text.dataLines > 0 && text.length < fw::bufferSize;
}

} // namespace

FirmwareText parseFirmwareText(const QStringList& lines)
{
    FirmwareText text;
    const QString header = lines.value(0);
    text.length = static_cast<int>(hexField(header, 3, 4));
    text.version = static_cast<int>(hexField(header, 7, 2));
    text.storedCrc = static_cast<std::uint16_t>(hexField(header, 9, 4));
    HexData data = readHexDataLines(lines, 1, fw::bytesPerLine, fw::maxDataLines);
    text.buffer = std::move(data.buffer);
    text.computedCrc = data.crc;
    text.dataLines = data.linesRead;
    text.ignoredLines = data.linesIgnored;
    return text;
}

QString firmwareHint(int version, bool update)
{
    QString hint = QStringLiteral("Version 1.") + QString::number(version);
    if (update)
        hint += QStringLiteral(" (Update!)");
    return hint;
}

FirmwareResult applyFirmwareFile(const FirmwareText& text, const FirmwareState& state)
{
    FirmwareResult result;
    result.state = state;
    if (!fitsImage(text))
        return result;
    if (text.computedCrc != text.storedCrc) {
        result.message = QStringLiteral("File is corrupted!");
        return result;
    }
    result.accepted = true;
    result.state = {text.buffer, text.length, text.version, true};
    result.hint = firmwareHint(text.version, false);
    return result;
}

FirmwareResult applyBuiltInFirmware(const FirmwareText& text, const FirmwareState& state,
                                    bool usbStick, int driverFwVersion)
{
    FirmwareResult result;
    result.state = state;
    if (!fitsImage(text) || text.computedCrc != text.storedCrc)
        return result;
    result.accepted = true;
    result.state.fwImage = text.buffer;
    result.state.fwLength = text.length;
    if (usbStick) {
        result.hint = firmwareHint(text.version, false);
        return result;
    }
    const bool update = text.version != driverFwVersion;
    result.state.fwUpdatePending = update;
    result.state.fwImageVersion = text.version;
    result.hint = firmwareHint(text.version, update);
    return result;
}

} // namespace nolt
