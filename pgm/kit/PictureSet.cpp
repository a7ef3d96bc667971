#include "pgm/kit/PictureSet.h"

#include "pgm/kit/Artwork.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace nolt {

PictureSet::PictureSet(QWidget* widget) : widget_(widget), ratio_(widget->devicePixelRatioF())
{
    // Every widget of a window hears of the window's move to another screen;
    // a change of the scale of the screen it is on is told by the screen alone.
    widget->installEventFilter(this);
    follow(widget->screen());
}

void PictureSet::add(QLabel* label, const QString& art)
{
    pictures_.push_back({label, art, nullptr});
    draw(pictures_.back());
}

void PictureSet::addGreyed(QLabel* overlay, const QLabel* tile)
{
    pictures_.push_back({overlay, {}, tile});
    draw(pictures_.back());
}

// Tiles are added before their overlays, so an overlay is greyed from its
// tile as drawn for the same ratio.
void PictureSet::draw(const Picture& picture) const
{
    if (picture.tile)
        picture.label->setPixmap(art::greyed(picture.tile->pixmap(), picture.tile->pos() - picture.label->pos()));
    else
        picture.label->setPixmap(art::picture(picture.art, picture.label->size(), ratio_));
}

bool PictureSet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget_ && (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show)) {
        follow(widget_->screen());
        redrawIfRatioChanged();
    }
    return false;
}

void PictureSet::follow(QScreen* screen)
{
    disconnect(scaleChange_);
    // Queued, so that the ratio is read once Qt has taken in the new scale.
    scaleChange_ = connect(screen, &QScreen::logicalDotsPerInchChanged, this, &PictureSet::redrawIfRatioChanged,
                           Qt::QueuedConnection);
}

void PictureSet::redrawIfRatioChanged()
{
    const qreal ratio = widget_->devicePixelRatioF();
    if (qFuzzyCompare(ratio, ratio_))
        return;
    ratio_ = ratio;
    for (const Picture& picture : pictures_)
        draw(picture);
}

} // namespace nolt
