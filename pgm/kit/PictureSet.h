#pragma once
// The pictures of a window, drawn from the artwork for the device pixel
// ratio of the screen that the window is on, and drawn again when the window
// moves to a screen of another ratio or its screen's scale changes, so that
// they stay sharp and of their design size.

#include <QLabel>
#include <QMetaObject>
#include <QObject>
#include <QString>

#include <vector>

class QScreen;

namespace nolt {

class PictureSet : public QObject {
public:
    // Follows the screen of window, which may still be hidden.
    explicit PictureSet(QWidget* window);

    // Shows the artwork on the label at the label's size.
    void add(QLabel* label, const QString& art);
    // Shows a greyed copy of the tile's picture on the overlay, lying exactly
    // over the tile even where their places differ.
    void addGreyed(QLabel* overlay, const QLabel* tile);

    // The device pixel ratio the pictures are drawn for.
    qreal ratio() const { return ratio_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Picture {
        QLabel* label;
        QString art;
        const QLabel* tile; // for a greyed copy
    };

    void draw(const Picture& picture) const;
    void follow(QScreen* screen);
    void redrawIfRatioChanged();

    QWidget* window_;
    qreal ratio_;
    std::vector<Picture> pictures_;
    QMetaObject::Connection scaleChange_;
};

} // namespace nolt
