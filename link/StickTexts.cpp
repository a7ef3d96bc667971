#include "link/StickTexts.h"

#include "image/NumberText.h"

#include <algorithm>

namespace nolt {

namespace {
unsigned littleEndian(const Bytes& image, int at, int width)
{
    unsigned v = 0;
    for (int k = width - 1; k >= 0; --k)
        v = v * 256 + image[static_cast<std::size_t>(at + k)];
    return v;
}
} // namespace

QString stickReadyCaption(const StickId& id)
{
    QString caption = QStringLiteral("USB Stick, Device Nr. ");
    for (int k = 0; k < 4; ++k)
        caption += hexDigits(id[static_cast<std::size_t>(k)], 2);
    if (id[5] == stickFwUnknown)
        caption += QStringLiteral(", FW ???");
    else
        caption += QStringLiteral(", FW 1.") + QString::number(id[5]);
    return caption + QStringLiteral("            Ready...");
}

int stickFwVersion(const StickId& id)
{
    return id[5] == stickFwUnknown ? 0 : id[5];
}

StickLogTexts stickLogTexts(const Bytes& image)
{
    StickLogTexts t;
    t.lOp = QString::number(littleEndian(image, img::logOpTime, 3)) + QStringLiteral(" min");
    t.lSwCnt = QString::number(littleEndian(image, img::logSwitchCount, 2));
    t.lOverT = QString::number(15 * littleEndian(image, img::logOverTemp, 2)) + QStringLiteral(" min");
    t.lMaxT = QString::number(image[img::logMaxTemp]) + QStringLiteral(" °C");
    return t;
}

QStringList stickMemoryDump(const Bytes& image)
{
    QStringList lines{QStringLiteral("------------------ Memory dump --------------------")};
    const int rows = std::min(static_cast<int>(image.size()), 256) / 16;
    for (int r = 0; r < rows; ++r) {
        QString line = hexDigits(16 * r, 2) + QStringLiteral(": ");
        for (int k = 0; k < 16; ++k)
            line += hexDigits(image[static_cast<std::size_t>(16 * r + k)], 2) + QLatin1Char(' ');
        lines << line;
    }
    lines << QStringLiteral("----------------------------------------------------");
    return lines;
}

} // namespace nolt
