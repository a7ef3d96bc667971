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
int getTime(const QString& s)
{
    if (s.size() != 8)
        return 0;
    return s.mid(0, 2).toInt() * 3600 + s.mid(3, 2).toInt() * 60 + s.mid(6, 2).toInt();
}
int getTime2(const QString& s)
{
    if (s.size() < 6)
        return 0;
    return s.mid(0, 2).toInt() * 1000 + s.mid(3, 3).toInt();
}
} // namespace nolt
