#pragma once
// Pop-up explanations of the feature tiles, switched on and off by "Show Hints".

#include <QString>
#include <QStringList>

namespace nolt {

class MainScreen;

// How long a hint stays up once shown; it shows at once.
inline constexpr int hintHidePauseMs = 60000;

// Gives the tiles and their overlays their hint texts; hints stay off.
void initHint(MainScreen& screen);
// Switches the hints of exactly the tiles and overlays on or off.
void enableHint(MainScreen& screen, bool on);
// The names of the pictures that carry a hint.
QStringList hintPictures();

} // namespace nolt
