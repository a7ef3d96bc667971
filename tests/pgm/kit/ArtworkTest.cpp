// The greyed copies of the "dis" overlays.

#include "pgm/kit/Artwork.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace nolt;

// A black picture of 10 x 8 at a device pixel ratio, greyed and moved: the
// grey copy keeps the size and ratio, and covers its whole place but for the
// strip that the move leaves open.
TEST(Artwork, GreyedCopyFillsItsPlaceAtEveryRatio)
{
    const QRgb grey = qRgba(0x90, 0x90, 0x90, 0xFF); // black washed out toward light grey
    const struct { qreal ratio; QPoint shift; QSize pixels; QPoint firstGrey, lastGrey, open; } rows[] = {
        // Moved up by one pixel of the design (two device pixels): the bottom two rows are open.
        {2, {0, -1}, {20, 16}, {0, 0}, {19, 13}, {19, 14}},
        // Moved right by one pixel: the left column is open.
        {1, {1, 0}, {10, 8}, {1, 0}, {9, 7}, {0, 7}},
        // Not moved: everything grey.
        {2, {0, 0}, {20, 16}, {0, 0}, {19, 15}, {-1, -1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ratio);
        QPixmap black(row.pixels);
        black.setDevicePixelRatio(row.ratio);
        black.fill(Qt::black);
        const QPixmap copy = art::greyed(black, row.shift);
        EXPECT_EQ(copy.size(), row.pixels);
        EXPECT_EQ(copy.devicePixelRatio(), row.ratio);
        const QImage img = copy.toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(img.pixel(row.firstGrey), grey);
        EXPECT_EQ(img.pixel(row.lastGrey), grey);
        if (img.valid(row.open)) {
            EXPECT_EQ(qAlpha(img.pixel(row.open)), 0);
        }
    }
}

// A picture is drawn at the device pixel ratio asked for, on a transparent ground; a name without artwork gets
// a light stand-in of the same size.
TEST(Artwork, PictureIsDrawnAtTheRatioAskedFor)
{
    const QImage ok = art::picture(QStringLiteral("glyph_ok"), {17, 17}, 2).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(ok.size(), QSize(34, 34));
    EXPECT_EQ(ok.devicePixelRatio(), 2);
    EXPECT_EQ(qAlpha(ok.pixel(0, 0)), 0);
    EXPECT_EQ(ok.pixel(14, 26), qRgba(0x24, 0x7A, 0x43, 0xFF)); // the tick's bend at 7, 13
    const QPixmap none = art::picture(QStringLiteral("no_such_picture"), {60, 40}, 1);
    EXPECT_EQ(none.size(), QSize(60, 40));
    EXPECT_EQ(none.toImage().pixel(2, 20), qRgb(0xEE, 0xF1, 0xF4));
}
