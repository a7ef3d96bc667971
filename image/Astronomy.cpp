#include "image/Astronomy.h"

#include "image/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nolt {

namespace {

constexpr double pi = std::numbers::pi;
constexpr long j2000 = 2451545; // Julian Day of 1 January 2000, noon
constexpr double daysPerCentury = 36525.0;

QString twoDigits(long v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

long julianDay(int day, int month, int year)
{
    const bool beforeGregorian = year < 1582 || (year == 1582 && (month < 10 || (month == 10 && day < 15)));
    if (beforeGregorian || year > 9999)
        return 0;
    const long d = day, m = month, y = year;
    const long a = (m - 14) / 12;
    return d - 32075 + 1461 * (y + 4800 + a) / 4 + 367 * (m - 2 - 12 * a) / 12
        - 3 * ((y + 4900 + a) / 100) / 4;
}

double obliquity(double T)
{
    return (23.43929111 + (-46.815 * T - 0.00059 * T * T + 0.001813 * T * T * T) / 3600) * pi / 180;
}

double normAngle(double a)
{
    const double n = roundHalfEven(a / (2 * pi));
    double r = a - 2 * n * pi;
    if (r < 0)
        r += 2 * pi;
    return r;
}

double sunDeclination(double T)
{
    const double M = normAngle(2 * pi * (0.993133 + 99.997361 * T));
    const double L = normAngle(
        2 * pi * (0.7859453 + M / (2 * pi) + (6893 * std::sin(M) + 72 * std::sin(2 * M) + 6191.2 * T) / 1296000));
    return std::asin(std::sin(obliquity(T)) * std::sin(L));
}

double nightLength(long jd, double latitude, double elevation)
{
    const double T = static_cast<double>(jd - j2000) / daysPerCentury;
    const double phi = pi * latitude / 180;
    const double h = pi * elevation / 180;
    const double delta = sunDeclination(T);
    // Cosine of the hour angle at which the sun crosses the elevation.
    // Beyond -1 the sun stays above it all day, beyond 1 below it.
    const double x = (std::sin(h) - std::sin(phi) * std::sin(delta)) / (std::cos(phi) * std::cos(delta));
    if (std::isnan(x))
        return 0;
    const double t = 12 * std::acos(std::clamp(x, -1.0, 1.0)) / pi; // hours from noon to the crossing
    return (12 - t) * 2;
}

QString showHoursMinutes(double hours)
{
    long h = static_cast<long>(std::trunc(hours));
    long m = static_cast<long>(roundHalfEven((hours - static_cast<double>(h)) * 60));
    if (m == 60) {
        ++h;
        m = 0;
    }
    return twoDigits(h) + QLatin1Char(':') + twoDigits(m);
}

QString halfUnitsText(int halves, const QString& decimalPoint)
{
    if (halves % 2 == 0)
        return QString::number(halves / 2);
    const QString whole = QString::number(std::abs(halves / 2));
    return (halves < 0 ? QStringLiteral("-") : QString()) + whole + decimalPoint + QLatin1Char('5');
}

} // namespace nolt
