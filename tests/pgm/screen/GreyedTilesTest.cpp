// The grey pictures that lie over a switched-off feature's tile: a grey copy of the coloured tile.

#include "PanelTesting.h"

namespace {

// Opaque pixels of a picture, and how many of them are coloured (not r = g = b).
std::pair<int, int> opaqueAndColoured(const QLabel* picture)
{
    const QImage image = picture->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0, coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            opaque += qAlpha(c) > 0;
            coloured += qAlpha(c) > 0 && (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c));
        }
    return {opaque, coloured};
}

} // namespace

using GreyedTilesTest = PanelTest;

TEST_F(GreyedTilesTest, EveryOverlayIsAGreyCopyOfItsColouredTile)
{
    const struct { const char *overlay, *tile; } pairs[] = {
        {"Block_dis", "iTBlock_en"}, {"Astro_dis", "iISD_en"}, {"dm1_dis", "iISD1_en"}, {"LST_dis", "iLst_en"},
        {"dm2_dis", "iISD2_en"},     {"HOLD_dis", "iTHold_en"}, {"MFF_dis", "iMFF_en"}, {"iTM_dis", "iTM"},
        {"rem_dis", "iRemote_en"}};
    for (const auto& p : pairs) {
        const auto [tileOpaque, tileColoured] = opaqueAndColoured(h->find<QLabel>(p.tile));
        const auto [opaque, coloured] = opaqueAndColoured(h->find<QLabel>(p.overlay));
        EXPECT_GT(tileColoured, 0) << p.tile;
        EXPECT_GT(opaque, tileOpaque / 2) << p.overlay << " shows the tile";
        EXPECT_EQ(coloured, 0) << p.overlay;
    }
}
