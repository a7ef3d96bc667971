#include "image/TimeCodes.h"
namespace nolt {
int DecodeTime(int b)
{
    static const int units[] = {1, 10, 60, 900};
    return (b >> 6) == 0 ? b : (b & 63) * units[(b >> 6) & 3];
}
static QString two(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }
QString displayTime(int x)
{
    if (x == 0)
        return QStringLiteral("0");
    return two(x / 3600) + QLatin1Char(':') + two(x % 3600 / 60) + QLatin1Char(':') + two(x % 60);
}
QString displayTime2(int x)
{
    if (x == 0)
        return QStringLiteral("0");
    return two(x / 1000) + QLatin1Char(',') + QString::number(x % 1000).rightJustified(3, QLatin1Char('0'));
}
} // namespace nolt
