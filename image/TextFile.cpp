#include "image/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

namespace nolt {

QStringList splitTextLines(const QByteArray& text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        lines.append(QString::fromLatin1(text.constData() + start, end - start));
        start = next;
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
