#pragma once
// The configuration file (".ktc"): a header "MMN" + CRC (4 upper-case hex
// digits) + a name of at most 8 characters, then six data lines of 16 image
// bytes as 32 upper-case hexadecimal digits (bytes 0..95). A header "MEM"
// is the older form of the same file. "Load" also accepts firmware texts
// ("FWX"), which FirmwareText.h reads.

#include "image/ConfigImage.h"
#include "image/FirmwareText.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace nolt {

namespace cfg {
inline constexpr int bytesPerLine = 16;
inline constexpr int savedLines = img::storedBytes / bytesPerLine; // 6
inline constexpr int maxDataLines = img::imageSize / bytesPerLine; // 8
inline constexpr int nameLength = 8;
} // namespace cfg

// The seven lines that "Save" writes: header and six data lines of image
// bytes 0..95 (an image shorter than 96 bytes is written as if padded with
// 0xFF). The name is the first 8 characters of `info`.
QStringList buildConfigFile(const Bytes& image, const QString& info);

enum class LoadedFileKind {
    TooFewLines,   // fewer than 2 lines: dropped without a message
    UnknownTag,    // "Not a configuration or firmware file!"
    Configuration, // "MMN", or "MEM" with oldFormat set
    Firmware,      // "FWX": see `firmware`
};

struct ConfigFileData {
    bool oldFormat = false;         // "MEM"
    std::uint16_t storedCrc = 0;    // header characters 4..7
    std::uint16_t computedCrc = 0;  // over every data byte read
    QString name;                   // header characters 8..15
    Bytes buffer;                   // 128 bytes: the data lines, then 0xFF
    int ignoredLines = 0;           // data lines beyond the 8th: not read, not in the CRC
};

struct LoadedFile {
    LoadedFileKind kind = LoadedFileKind::TooFewLines;
    ConfigFileData config;  // when kind is Configuration
    FirmwareText firmware;  // when kind is Firmware
};

// Sorts a loaded file by the first three characters of its first line and
// reads it. Data pairs and the CRC field are read leniently (value of the
// leading hexadecimal digits, 0 when none; either case). A configuration
// file holds at most 8 data lines: further lines are ignored.
LoadedFile parseLoadedFile(const QStringList& lines);

// What loading a (non-firmware) file does to the window.
struct ConfigLoadResult {
    QStringList messages;      // message boxes to show, in order
    bool imageReplaced = false; // bytes 0..127 were replaced: redraw the main screen
    Bytes image;               // the image after loading (the input when unchanged)
    bool infoChanged = false;  // the information edit is to show `info`
    QString info;
};

// Applies a loaded file to an image of 128 or 256 bytes. A configuration
// whose CRC matches (or any, with noLoadCheck) replaces bytes 0..127 by the
// buffer and gives its name; bytes from 128 on keep their values. The astro
// data (bytes 76..84) of a replaced image are zeroed unless copyAstro. A
// refused file (wrong CRC) leaves the image as it was. Firmware files are
// applied with applyFirmwareFile; here they change nothing.
ConfigLoadResult applyConfigFile(const LoadedFile& file, const Bytes& image, bool copyAstro,
                                 bool noLoadCheck);

} // namespace nolt
