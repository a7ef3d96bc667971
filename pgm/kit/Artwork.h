#pragma once
// The window's pictures: drawn from the program's artwork at the size the
// design gives them, and greyed copies for the "dis" overlays.

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

namespace nolt::art {

// Renders resources/art/<name>.svg (or .png, or the same under
// resources/help/) at the given size, in pixels of the design, for a screen
// of the given device pixel ratio (without one, the application's). A picture
// that is missing is drawn as a plain framed box with its name, so that the
// window stays usable.
QPixmap picture(const QString& name, QSize size, qreal ratio);
QPixmap picture(const QString& name, QSize size);

// A grey, lightened copy that reads as "switched off", of the same size and
// device pixel ratio, its drawing moved by `shift` pixels of the design.
QPixmap greyed(const QPixmap& source, QPoint shift = {});

} // namespace nolt::art
