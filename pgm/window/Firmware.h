#pragma once
// The firmware icon of the bottom strip and the built-in firmware images.
// The images (50 Hz and 60 Hz) are compiled in only when the build finds
// resources/firmware/50.ktp and 60.ktp; without them there is nothing to
// load and loadRes does nothing.

#include <QByteArray>
#include <QString>

#include <optional>

namespace nolt {

struct BottomBar;
class TForm1;

// Shows the icon with its hint; hides it and drops its hint.
void showFirmwareIcon(BottomBar& bar, const QString& hint);
void hideFirmwareIcon(BottomBar& bar);

// The text of the built-in image: the 60 Hz one with set60Hz, else the
// 50 Hz one; nothing when the program carries none.
std::optional<QByteArray> builtInFirmwareText(bool set60Hz);

// Takes a built-in firmware text (silently ignored when it is not sound).
void applyBuiltInFirmware(TForm1& form, const QByteArray& text);

// Start-up: loads the built-in image that the switches choose, if any.
void loadRes(TForm1& form);

} // namespace nolt
