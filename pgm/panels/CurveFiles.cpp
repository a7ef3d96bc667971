#include "pgm/panels/CurveFiles.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace nolt {

QString defaultCurveFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DimmingCurve"));
}

std::optional<QStringList> listCurveFiles(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return std::nullopt;
    // Name patterns match regardless of letter case, as on the file systems
    // the curve files come from.
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.dc")},
                                                    QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    QStringList names;
    for (const QFileInfo& entry : entries)
        if (entry.size() >= minCurveFileSize)
            names.append(entry.fileName());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    return names;
}

} // namespace nolt
