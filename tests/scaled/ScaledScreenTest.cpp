// The window's pictures drawn again when it moves to a screen of another scale.

#include "Harness.h"

#include <QApplication>

namespace {

// The size in device pixels and the device pixel ratio a picture is drawn at.
struct Drawn {
    QSize pixels;
    qreal ratio;
    bool operator==(const Drawn&) const = default;
    friend void PrintTo(const Drawn& d, std::ostream* os)
    {
        *os << d.pixels.width() << " x " << d.pixels.height() << " at ratio " << d.ratio;
    }
};

Drawn drawn(const FormHarness& h, const char* name)
{
    const QPixmap pm = h.find<QLabel>(QString::fromLatin1(name))->pixmap();
    return {pm.size(), pm.devicePixelRatio()};
}

bool opaqueAt(const FormHarness& h, const char* name, QPoint pixel)
{
    return qAlpha(h.find<QLabel>(QString::fromLatin1(name))->pixmap().toImage().pixel(pixel)) == 0xFF;
}

} // namespace

TEST(ScaledScreen, PicturesAreDrawnAgainForTheScaleOfTheScreenTheWindowMovesTo)
{
    const struct { const char* name; QSize size; } pictures[] = {
        {"background", {1041, 578}}, {"iTM", {133, 90}}, {"sw_tm_off", {37, 37}},
        {"iTM_dis", {133, 90}}, {"dm1_dis", {132, 90}}, // the overlays one pixel off their tiles
        {"iFW", {23, 23}}, {"TimeZone", {350, 179}}, {"Image7", {500, 500}}, // bottom strip and panels, though hidden
    };
    const struct { QPoint at; int ratio; } moves[] = {
        {{10, 10}, 1},
        {{1300, 10}, 2}, // onto the screen of scale 2
        {{10, 10}, 1},   // and back
    };
    FormHarness h;
    for (const auto& move : moves) {
        SCOPED_TRACE(move.at.x());
        h.form->move(move.at);
        QApplication::processEvents();
        for (const auto& p : pictures)
            EXPECT_EQ(drawn(h, p.name), (Drawn{p.size * move.ratio, qreal(move.ratio)})) << p.name;
        // The grey copies cover their tiles.
        const QPoint nearBottomRight = QPoint(120, 80) * move.ratio;
        EXPECT_TRUE(opaqueAt(h, "iTM_dis", nearBottomRight) && opaqueAt(h, "dm1_dis", nearBottomRight));
    }
}
