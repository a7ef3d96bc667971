#pragma once
// Text files as lists of lines: the configuration and firmware files and
// the dimming curves. Characters are 8-bit (Latin-1); lines are read with
// CR LF or LF endings and written with CR LF.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace nolt {

// The largest file read: far beyond any file of the tool (a firmware text
// is about 12 KiB), small enough that a wrongly chosen huge file is refused
// instead of exhausting memory.
inline constexpr qint64 maxTextFileSize = 1024 * 1024;

struct TextFileRead {
    bool ok = false;
    QStringList lines;
    QString error; // the platform's error text when !ok
};

// Splits 8-bit text into lines at CR LF or LF. A final line ending adds no
// empty line; an empty text has no lines.
QStringList splitTextLines(const QByteArray& text);

// Reads a whole file as lines. A file that cannot be opened or read, or is
// larger than maxTextFileSize, gives !ok with the platform's error text.
TextFileRead readTextLines(const QString& path);

// Writes every line followed by CR LF, through a temporary file that
// replaces the target only when complete, so a failed save leaves the old
// file as it was. Returns the platform's error text, empty on success.
QString writeTextLines(const QString& path, const QStringList& lines);

} // namespace nolt
