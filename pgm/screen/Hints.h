#pragma once
// Pop-up explanations of the feature tiles, switched on and off by "Show Hints".

#include <QString>
#include <QStringList>

class QWidget;

namespace nolt {

class MainScreen;

// How long a hint stays up once shown; it shows at once.
inline constexpr int hintHidePauseMs = 60000;

// Gives a control its hint, or none for an empty text. A hint is plain
// text, shows at once and stays up for hintHidePauseMs, on every control of
// the window.
void setHint(QWidget* control, const QString& text);
// Gives the tiles and their overlays their hint texts; hints stay off.
void initHint(MainScreen& screen);
// Switches the hints of exactly the tiles and overlays on or off.
void enableHint(MainScreen& screen, bool on);
// The names of the pictures that carry a hint.
QStringList hintPictures();

} // namespace nolt
