#pragma once
// What every pop-up editing panel of the main window shares: it opens from
// the main screen only while the window is not busy, holds the window busy
// while it is open, and frees it on OK or Cancel. Also the small factories
// for the controls that panels are built from, so that every panel looks
// and behaves alike.

#include "pgm/kit/PictureSet.h"
#include "pgm/kit/Widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

namespace nolt {

class PanelHost;
struct AppState;

class EditorPanel : public QFrame {
    Q_OBJECT
public:
    EditorPanel(PanelHost& form, const char* name, int left, int top, int width, int height);

    PanelHost& form() const { return form_; }
    AppState& state() const;
    // The window is busy: a feature handler does nothing then.
    bool busy() const;

protected:
    // Shows the panel above everything and sets the busy flag.
    void openPanel();
    // Hides the panel and clears the busy flag.
    void closePanel();
    // The panel's pictures drawn from the artwork.
    PictureSet& pictures() { return pictures_; }

private:
    PanelHost& form_;
    PictureSet pictures_;
};

enum class Glyph { Ok, Cancel, Help };

// A 23 x 23 button with an OK, Cancel or help glyph.
QPushButton* glyphButton(QWidget* parent, const char* name, Glyph glyph, int left, int top);
// A coloured group box (colour as 0xBBGGRR).
QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, unsigned colour, int left,
                    int top, int width, int height);
// A read-only value edit: right-aligned, bold, hand cursor, text "0".
ClickEdit* valueEdit(QWidget* parent, const char* name, int left, int top, int width);
// A static text.
QLabel* staticText(QWidget* parent, const QString& text, int left, int top, const char* name = nullptr);

// A help picture laid over a panel. Opening enlarges the panel so that the
// picture covers it, buttons included; a click on the picture closes it
// and gives the panel back its size.
class HelpOverlay : public QFrame {
    Q_OBJECT
public:
    // overlayName/pictureName: object names; art: the picture's artwork.
    HelpOverlay(QWidget* panel, const char* overlayName, const char* pictureName, const QString& art,
                QSize overlaySize, QRect pictureRect);
    void open();
    void close();
    ClickLabel* picture() const { return picture_; }

protected:
    // A click anywhere on the overlay closes it as well.
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QWidget* panel_;
    QSize overlaySize_;
    QSize panelSize_;
    ClickLabel* picture_;
    PictureSet pictures_;
};

} // namespace nolt
