#pragma once
// The window's pictures: drawn from the program's artwork at the size the
// design gives them, and greyed copies for the "dis" overlays.

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

namespace nolt::art {

// Renders resources/art/<name>.svg (or .png, or the same under
// resources/help/) at the given size. A picture
// that is missing is drawn as a plain framed box with its name, so that the
// window stays usable.
QPixmap picture(const QString& name, QSize size);

// A grey, lightened copy that reads as "switched off", of the same size,
// its drawing moved by `shift` pixels.
QPixmap greyed(const QPixmap& source, QPoint shift = {});

} // namespace nolt::art
