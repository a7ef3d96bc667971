#pragma once
// Dimming curves: text files of 101 lines, line i the output level (0..100)
// for input level i. The level bytes of the image are mapped through the
// curve before a driver-mode store (correctDC) and back after a slot is
// read (invCorrectDC), so the editors always show the unmapped levels.

#include "image/ConfigImage.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace nolt {

inline constexpr int curvePoints = 101;

struct DimmingCurveRead {
    Bytes curve;   // 101 entries
    QString error; // "Error: Nr. of points is not 101!", "Error: Wrong Data!" or empty
    bool ok() const { return error.isEmpty(); }
};

// Reads the lines of a curve file into `previous` grown (or cut) to 101
// entries, new entries 0. Not exactly 101 lines: nothing is read. Each line
// is a decimal integer, blanks around it allowed; a number outside 0..100
// makes the data wrong but is still stored (its low 8 bits); a line that is
// no number makes the data wrong and leaves its entry as it was.
DimmingCurveRead readDimmingCurve(const QStringList& lines, const Bytes& previous);

// One level byte through the curve: the level (bits 0..6, at most 100)
// becomes curve[level]; bit 7 (relay off) is kept. A curve of fewer than
// 101 entries leaves the byte as it is.
std::uint8_t correctLevel(std::uint8_t v, const Bytes& curve);

// The inverse: the highest input level whose curve entry equals the level
// (bits 0..6, at most 100), with bit 7 kept. When no entry equals it the
// byte is kept unchanged, so a level the curve cannot produce is never
// replaced by a made-up one.
std::uint8_t uncorrectLevel(std::uint8_t v, const Bytes& curve);

// Map the image's level bytes forward / back: minLevel and poLevel; the
// used steps (not 0xFF) of both engines; mffStart and mffStop when mffStart
// is set (the MFF levels 70..72 never); each thermal level whose threshold
// is set. Nothing happens, and the result is false, when the curve has
// fewer than 101 entries (no curve), the output is in a DALI mode, or the
// image is shorter than 96 bytes; otherwise the result is true.
bool correctDC(Bytes& image, const Bytes& curve);
bool invCorrectDC(Bytes& image, const Bytes& curve);

} // namespace nolt
