#pragma once
// The texts that a finished stick read shows: the caption with the device
// number and firmware, the driver's operating log and the memory dump.

#include "image/ConfigImage.h"
#include "link/StickView.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace nolt {

// Identity reply bytes 2..7: device number (4 bytes), one byte kept but not
// used, firmware minor version (0xFF = unknown).
using StickId = std::array<std::uint8_t, 6>;

inline constexpr std::uint8_t stickFwUnknown = 0xFF;
inline constexpr int stickLogFirstFw = 72; // firmware 1.72 and later keep a log

// "USB Stick, Device Nr. 12345678, FW 1.72            Ready..."
QString stickReadyCaption(const StickId& id);
// The firmware minor version of an identity, 0 when unknown.
int stickFwVersion(const StickId& id);

// The log box texts from image bytes 247..254; the image holds 256 bytes.
StickLogTexts stickLogTexts(const Bytes& image);

// The memory dump of the debug memo: a head line, one line per 16 bytes,
// a closing line.
QStringList stickMemoryDump(const Bytes& image);

} // namespace nolt
