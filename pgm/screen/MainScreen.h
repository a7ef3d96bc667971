#pragma once
// The schematic of the driver: stacked pictures of every feature (tile, its
// greyed overlay, its switch pictures) and the value labels on the tiles.
// What shows is decided by visibility and stacking order alone. The pictures
// are drawn for the screen the window is on.

#include "link/AppState.h"
#include "pgm/kit/PictureSet.h"
#include "pgm/kit/Widgets.h"

#include <QHash>
#include <QString>

namespace nolt {

class MainScreen {
public:
    // Creates every picture and label as children of form, in stacking order.
    explicit MainScreen(QWidget* form);

    ClickLabel* background() const { return background_; }
    // A picture or label of the screen by its name ("SW_DALI", "lHold").
    ClickLabel* item(const QString& name) const;
    ClickLabel* operator[](const char* name) const { return item(QString::fromLatin1(name)); }

    // Brings every picture and label into line with the image. May clear
    // lstEnable and isdEnable (a first step that is unused), and sets
    // remoteDim.
    void setDisplay(AppState& state);

    // The power-on tile's labels from the image.
    void displayPowerOn(const Bytes& image);

    // The text of the remote-control label for a function and input.
    static QString remoteText(bool midNight, bool mainsInput);
    void displayRemote(const QString& text);

private:
    ClickLabel* addPicture(const char* name, const QString& art, int x, int y, int w, int h,
                           bool visible, bool hand);
    ClickLabel* addOverlay(const char* name, const char* tile, int x, int y);
    ClickLabel* addLabel(const char* name, int x, int y, bool visible);

    QWidget* form_;
    PictureSet pictures_;
    ClickLabel* background_ = nullptr;
    QHash<QString, ClickLabel*> items_;
};

} // namespace nolt
