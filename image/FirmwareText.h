#pragma once
// Firmware texts (".ktp" files and the two built-in images): a header line
// "FWX" + length (4 hex digits) + version (2) + CRC (4), then data lines of
// 128 bytes as 256 hexadecimal digits. The firmware's content is opaque:
// only the text form, the length and the CRC are checked.

#include "image/ConfigImage.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace nolt {

namespace fw {
inline constexpr int bufferSize = 12288;  // the firmware image; lengths stay below it
inline constexpr int bytesPerLine = 128;
inline constexpr int maxDataLines = bufferSize / bytesPerLine; // 96
inline constexpr int headerLength = 13;
} // namespace fw

// A firmware text as read. The tag is not examined here.
struct FirmwareText {
    int length = 0;                 // header characters 4..7
    int version = 0;                // header characters 8..9
    std::uint16_t storedCrc = 0;    // header characters 10..13
    std::uint16_t computedCrc = 0;  // over every byte of every data line read
    Bytes buffer;                   // 12288 bytes: the data lines, then 0xFF
    int dataLines = 0;              // data lines read into the buffer
    int ignoredLines = 0;           // data lines beyond the 96th: not read, not in the CRC
};

// lines[0] is the header, every further line a data line. Header fields and
// data pairs are read leniently (value of the leading hexadecimal digits, 0
// when none). Lines beyond the 96th data line are ignored, so the buffer is
// never overrun.
FirmwareText parseFirmwareText(const QStringList& lines);

// The program's firmware state.
struct FirmwareState {
    Bytes fwImage;             // empty until a firmware text is accepted, then 12288 bytes
    int fwLength = 0;
    int fwImageVersion = 0;
    bool fwUpdatePending = false;
};

struct FirmwareResult {
    FirmwareState state;  // the state after applying (unchanged when !accepted)
    bool accepted = false;
    QString message;      // for a message box; empty for none
    QString hint;         // when accepted: the hint of the firmware icon, which is then shown
};

// The hint of the firmware icon: "Version 1.<version>", with " (Update!)"
// appended when `update`.
QString firmwareHint(int version, bool update);

// A firmware file loaded by the user. A text without data lines or with a
// length of 12288 or more is dropped silently; a wrong CRC gives "File is
// corrupted!" and changes nothing (no switch overrides this). Accepted: the
// image, length and version are taken and the update is pending. The icon
// is not to be shown in demo mode; that is the caller's test.
FirmwareResult applyFirmwareFile(const FirmwareText& text, const FirmwareState& state);

// The built-in firmware image at start-up. Any fault (wrong CRC, no data
// lines, a length of 12288 or more) ignores it silently. Stick mode takes
// the image and length. Driver mode also takes the version, and the update
// is pending (hint with " (Update!)") unless the version equals
// driverFwVersion.
FirmwareResult applyBuiltInFirmware(const FirmwareText& text, const FirmwareState& state,
                                    bool usbStick, int driverFwVersion);

} // namespace nolt
