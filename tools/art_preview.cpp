// Renders the main-screen artwork with Qt's own SVG renderer, so the
// pictures are checked exactly as the program will draw them.
//
//   tools/art_preview.sh [on|off|alt] [outdir]
//
// Writes screen.png (background, every tile and one switch state at their
// window positions, with sample value labels) and sheet.png (every picture
// at 2x, plus a greyed copy of each tile).
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

namespace {

struct Placed { const char *file; int x, y, w, h; };
struct Label { const char *text; int x, y; };

QString dir;

bool draw(QPainter &p, const QString &file, QRect r)
{
    QSvgRenderer svg(dir + "/" + file);
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot render %s\n", qPrintable(file));
        return false;
    }
    const QSize s = svg.defaultSize();
    if (s != r.size())
        std::fprintf(stderr, "%s is %dx%d, expected %dx%d\n", qPrintable(file),
                     s.width(), s.height(), r.width(), r.height());
    QFile f(dir + "/" + file);
    if (f.size() > 8 * 1024)
        std::fprintf(stderr, "%s is %lld bytes\n", qPrintable(file), f.size());
    svg.render(&p, r);
    return true;
}

QImage greyed(const QImage &src)
{
    QImage g = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x) {
            const QRgb c = g.pixel(x, y);
            const int v = 140 + qGray(c) * 115 / 255;
            g.setPixel(x, y, qRgba(v, v, v, qAlpha(c)));
        }
    return g;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString state = argc > 1 ? argv[1] : "on";
    const QString out = argc > 2 ? argv[2] : ".";
    dir = argc > 3 ? argv[3] : "resources/art";

    const bool on = state != "off";
    const bool alt = state == "alt";
    const char *sw = on ? "switch_on.svg" : "switch_off.svg";
    const std::vector<Placed> tiles = {
        {alt ? "tile_output_dali.svg" : "tile_output_1_10v.svg", 785, 139, 133, 90},
        {"tile_block_time.svg", 80, 38, 133, 90},
        {"tile_power_on.svg", 80, 166, 133, 90},
        {"tile_isd.svg", 80, 295, 133, 90},
        {"tile_engine1.svg", 486, 299, 132, 90},
        {alt ? "tile_lst_inverted.svg" : "tile_lst.svg", 80, 424, 133, 90},
        {"tile_engine2.svg", 486, 415, 132, 90},
        {"tile_hold_time.svg", 333, 488, 116, 90},
        {"tile_mff.svg", 330, 35, 133, 90},
        {"tile_thermal.svg", 637, 37, 133, 90},
        {"tile_remote.svg", 785, 272, 133, 90},
        {"tile_relay.svg", 785, 466, 133, 90},
        {alt ? "switch_output_dali.svg" : "switch_output_1_10v.svg", 957, 165, 38, 37},
        {sw, 237, 64, 37, 37},
        {sw, 237, 326, 37, 37},
        {sw, 237, 450, 37, 37},
        {alt ? "switch_grey.svg" : sw, 282, 450, 37, 37},
        {sw, 488, 64, 37, 37},
        {sw, 794, 64, 37, 37},
        {alt ? "switch_remote_lst.svg" : on ? "switch_remote_mains.svg" : "switch_remote_off.svg",
         751, 385, on ? 37 : 38, 37},
    };
    const std::vector<Label> labels = {
        {"Min. Level=100%", 812, 200}, {"00:21:15", 141, 100},
        {"D=Random", 139, 190}, {"F=12,345", 139, 209}, {"L=100%", 139, 228},
        {"00:00:05", 390, 550}, {alt ? "Remote DIM" : "MidNight Protect", 803, 339},
    };

    QImage screen(1039, 623, QImage::Format_ARGB32);
    screen.fill(QColor(0xF0, 0xF0, 0xF0));
    {
        QPainter p(&screen);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, "background.svg", QRect(0, 0, 1041, 578));
        for (const Placed &t : tiles)
            draw(p, t.file, QRect(t.x, t.y, t.w, t.h));
        QFont f("DejaVu Sans");
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::black);
        for (const Label &l : labels)
            p.drawText(QRect(l.x, l.y, 200, 14), Qt::AlignLeft | Qt::AlignTop, l.text);
    }
    screen.save(out + "/screen.png");

    const QStringList all = QStringList{"tile_output_1_10v.svg", "tile_output_dali.svg",
        "tile_output_pwm.svg", "tile_block_time.svg", "tile_power_on.svg", "tile_isd.svg",
        "tile_engine1.svg", "tile_engine2.svg", "tile_lst.svg", "tile_lst_inverted.svg",
        "tile_hold_time.svg", "tile_mff.svg", "tile_thermal.svg", "tile_remote.svg",
        "tile_relay.svg", "switch_on.svg", "switch_off.svg", "switch_grey.svg",
        "switch_output_1_10v.svg", "switch_output_dali.svg", "switch_output_pwm.svg",
        "switch_remote_mains.svg", "switch_remote_lst.svg", "switch_remote_off.svg"};
    const int cell = 420;
    QImage sheet(cell * 3, 200 * ((all.size() + 2) / 3) + 260, QImage::Format_ARGB32);
    sheet.fill(QColor(0xE8, 0xEC, 0xF0));
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing);
        int i = 0;
        for (const QString &f : all) {
            QSvgRenderer svg(dir + "/" + f);
            const QSize s = svg.defaultSize();
            QImage one(s * 2, QImage::Format_ARGB32);
            one.fill(Qt::transparent);
            {
                QPainter q(&one);
                q.setRenderHint(QPainter::Antialiasing);
                svg.render(&q, QRect(QPoint(0, 0), s * 2));
            }
            const QPoint at((i % 3) * cell + 8, (i / 3) * 200 + 8);
            p.drawImage(at, one);
            if (f.startsWith("tile"))
                p.drawImage(at + QPoint(0, 0) + QPoint(s.width() * 2 + 4, 0),
                            greyed(one).scaled(s, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            ++i;
        }
        draw(p, "logo.svg", QRect(8, 200 * ((all.size() + 2) / 3) + 8, 480, 240));
    }
    sheet.save(out + "/sheet.png");
    sheet.copy(0, 0, sheet.width(), 800).save(out + "/sheet_top.png");
    sheet.copy(0, 800, sheet.width(), sheet.height() - 800).save(out + "/sheet_bottom.png");
    return 0;
}
