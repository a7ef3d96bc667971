#pragma once
// Small conversions between numbers and the texts of the files and edits:
// hexadecimal digit pairs, the lenient hexadecimal reading of the file
// formats, and strict decimal fields.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace nolt {

// Value of the hexadecimal digits (either case) at the start of `text`,
// 0 when it starts with none. Reads at most 8 digits, so the value always
// fits; the file formats never read more than 4.
std::uint32_t leadingHexValue(QStringView text);

// `width` characters of `text` from `pos` (0-based), read by
// leadingHexValue. Characters beyond the end of the text count as missing,
// so a short line gives the value of the digits it does have.
std::uint32_t hexField(const QString& text, qsizetype pos, qsizetype width);

// `value` as `width` upper-case hexadecimal digits, most significant first.
QString hexDigits(std::uint32_t value, int width);

// A decimal field: one or more ASCII digits, with an optional leading sign
// when `allowSign`. Anything else (spaces, letters, an empty field, a value
// beyond the int range) gives no value.
std::optional<int> parseDecimal(QStringView text, bool allowSign = false);

} // namespace nolt
