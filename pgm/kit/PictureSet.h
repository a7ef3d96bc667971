#pragma once
// Pictures of a widget (a window, a panel), drawn from the artwork for the
// device pixel ratio of the screen that the widget is on, and drawn again
// when its window moves to a screen of another ratio or the screen's scale
// changes, so that they stay sharp and of their design size.

#include <QLabel>
#include <QMetaObject>
#include <QObject>
#include <QString>

#include <vector>

class QScreen;

namespace nolt {

class PictureSet : public QObject {
public:
    // Follows the screen of widget, which may still be hidden.
    explicit PictureSet(QWidget* widget);

    // Shows the artwork on the label at the label's size.
    void add(QLabel* label, const QString& art);
    // Shows a greyed copy of the tile's picture on the overlay, lying exactly
    // over the tile even where their places differ.
    void addGreyed(QLabel* overlay, const QLabel* tile);

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

    QWidget* widget_;
    qreal ratio_;
    std::vector<Picture> pictures_;
    QMetaObject::Connection scaleChange_;
};

} // namespace nolt
