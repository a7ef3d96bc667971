#pragma once
// Text files as lists of lines: the configuration and firmware files and
// the dimming curves. Files are read as UTF-8 or UTF-16 when they start
// with that byte-order mark, as 8-bit characters (Latin-1) otherwise, with
// CR LF, LF or CR line endings; they are written as 8-bit characters with
// CR LF.

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

// Decodes a file's bytes (a byte-order mark chooses UTF-8 or UTF-16 and is
// dropped) and splits the text into lines at CR LF, LF or a lone CR. A
// final line ending adds no empty line; an empty text has no lines.
QStringList splitTextLines(const QByteArray& text);

// Reads a whole file as lines. A file that cannot be opened or read, or is
// larger than maxTextFileSize, gives !ok with the platform's error text.
TextFileRead readTextLines(const QString& path);

// Writes every line followed by CR LF, through a temporary file that
// replaces the target only when complete, so a failed save leaves the old
// file as it was. Returns the platform's error text, empty on success.
QString writeTextLines(const QString& path, const QStringList& lines);

} // namespace nolt
