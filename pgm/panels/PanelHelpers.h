#pragma once
// What the feature panels share: check boxes and captions as
// the panels use them, reading a value edit as a number, glyph buttons with
// their handlers, the help overlay, bit writes and the main screen's value
// labels.

#include "pgm/panels/EditorPanel.h"
#include "pgm/screen/MainScreen.h"

#include <QCheckBox>
#include <QLabel>
#include <QString>

namespace nolt {

// A check box at its design place; textLeft puts the caption left of the
// box.
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    bool textLeft = false);

// The caption of a value edit at its design place, moved left as far as
// needed to end before the edit (the window's font may be wider than the
// one the panels were laid out for).
QLabel* captionLeftOf(const QWidget* edit, const QString& text, int left, int top);

// The text of a value edit as a decimal number; `fallback` when it is not
// one (an empty edit, "Random").
int editNumber(const QLineEdit* edit, int fallback = 0);

// A glyph button whose click runs `handler` of `panel`.
template <typename Panel, typename Handler>
QPushButton* glyphButton(Panel* panel, QWidget* parent, const char* name, Glyph glyph, int left, int top,
                         Handler handler)
{
    QPushButton* b = glyphButton(parent, name, glyph, left, top);
    QObject::connect(b, &QPushButton::clicked, panel, handler);
    return b;
}

// The help of a small panel: the 466 x 204 picture resources/help/<art>
// on a 474 x 212 overlay, opened by the help button.
HelpOverlay* panelHelp(QWidget* panel, QPushButton* helpButton, const char* overlayName, const char* pictureName,
                       const char* art);

// Writes a value label of the main screen and shows it.
void showLabel(ClickLabel* label, const QString& text);


} // namespace nolt
