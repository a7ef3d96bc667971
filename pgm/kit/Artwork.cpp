#include "pgm/kit/Artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace nolt::art {

namespace {

qreal pixelRatio()
{
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return app ? app->devicePixelRatio() : 1.0;
}

// An empty picture of the given size in pixels of the design, made of
// device pixels.
QPixmap canvas(QSize size, qreal ratio)
{
    QPixmap pm(size * ratio);
    pm.setDevicePixelRatio(ratio);
    return pm;
}

QPixmap placeholder(const QString& name, QSize size, qreal ratio)
{
    QPixmap pm = canvas(size, ratio);
    pm.fill(QColor(0xEE, 0xF1, 0xF4));
    QPainter p(&pm);
    p.setPen(QColor(0x60, 0x6A, 0x74));
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
    p.drawText(QRect(QPoint(), size).adjusted(4, 4, -4, -4), Qt::AlignTop | Qt::AlignHCenter | Qt::TextWordWrap,
               name);
    return pm;
}

} // namespace

// Artwork lies in :/art, help pictures in :/help.
static QString find(const QString& name, const char* suffix)
{
    for (const char* folder : {":/art/", ":/help/"}) {
        const QString path = QLatin1String(folder) + name + QLatin1String(suffix);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

QPixmap picture(const QString& name, QSize size, qreal ratio)
{
    const QString svg = find(name, ".svg");
    if (!svg.isEmpty()) {
        QSvgRenderer renderer(svg);
        QPixmap pm = canvas(size, ratio);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
        return pm;
    }
    const QString png = find(name, ".png");
    if (!png.isEmpty()) {
        QPixmap pm = QPixmap(png).scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pm.setDevicePixelRatio(ratio);
        return pm;
    }
    return placeholder(name, size, ratio);
}

QPixmap picture(const QString& name, QSize size)
{
    return picture(name, size, pixelRatio());
}

QPixmap greyed(const QPixmap& source, QPoint shift)
{
    QImage img = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int grey = (qGray(c) + 2 * 0xD8) / 3; // washed out toward light grey
            line[x] = qRgba(grey, grey, grey, qAlpha(c));
        }
    }
    // The shift is in pixels of the design, the image in device pixels; what
    // moves in from outside the image is transparent.
    const QPoint moved = (QPointF(shift) * source.devicePixelRatio()).toPoint();
    if (!moved.isNull())
        img = img.copy(QRect(-moved, img.size()));
    QPixmap pm = QPixmap::fromImage(img);
    pm.setDevicePixelRatio(source.devicePixelRatio());
    return pm;
}

} // namespace nolt::art
