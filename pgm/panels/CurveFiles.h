#pragma once
// The dimming-curve files beside the program: "DimmingCurve/*.dc".

#include <QString>
#include <QStringList>

#include <optional>

namespace nolt {

// A curve file of fewer bytes cannot hold 101 points and is not listed.
inline constexpr qint64 minCurveFileSize = 101;

// The folder "DimmingCurve" beside the program file.
QString defaultCurveFolder();

// The names (with extension) of the curve files of at least
// minCurveFileSize bytes in `folder`, sorted by name so that an index means
// the same file from one run to the next. Nothing when the folder does not
// exist.
std::optional<QStringList> listCurveFiles(const QString& folder);

} // namespace nolt
