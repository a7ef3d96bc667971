#include "image/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>

namespace nolt {

namespace {

// The text of a file: UTF-8 or UTF-16 when it starts with that byte-order
// mark, which the decoder drops; 8-bit characters otherwise.
QString decodeText(const QByteArray& data)
{
    static constexpr struct {
        QByteArrayView mark;
        QStringConverter::Encoding encoding;
    } marks[] = {
        {"\xEF\xBB\xBF", QStringConverter::Utf8},
        {"\xFF\xFE", QStringConverter::Utf16LE},
        {"\xFE\xFF", QStringConverter::Utf16BE},
    };
    for (const auto& m : marks) {
        if (data.startsWith(m.mark)) {
            QStringDecoder decoder(m.encoding);
            return decoder(data);
        }
    }
    return QString::fromLatin1(data);
}

} // namespace

QStringList splitTextLines(const QByteArray& data)
{
    const QString text = decodeText(data);
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        lines.append(text.mid(start, end - start));
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

TextFileRead readTextLines(const QString& path)
{
    TextFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.size() > maxTextFileSize) {
        result.error = qt_error_string(EFBIG);
        return result;
    }
    // Read one byte more than allowed, so a file that grows (or a device
    // without a size) is still caught.
    const QByteArray data = file.read(maxTextFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (data.size() > maxTextFileSize) {
        result.error = qt_error_string(EFBIG);
        return result;
    }
    result.lines = splitTextLines(data);
    result.ok = true;
    return result;
}

QString writeTextLines(const QString& path, const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines) {
        data += line.toLatin1();
        data += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        // The temporary file is dropped with `file`; the target is untouched.
        const QString error = file.errorString();
        return error.isEmpty() ? qt_error_string(EIO) : error;
    }
    return {};
}

} // namespace nolt
