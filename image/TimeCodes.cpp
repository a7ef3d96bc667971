#include "image/TimeCodes.h"

#include "image/NumberText.h"

#include <cstdlib>

namespace nolt {

namespace {

// A number in decimal, with a leading "0" when it has one digit.
QString twoDigits(long long v)
{
    QString s = QString::number(v);
    return s.size() == 1 ? QLatin1Char('0') + s : s;
}

// Two-character decimal field at `pos` (0-based). The texts these parsers
// read come from the formatters; a field that is not a plain decimal number
// gives no value.
std::optional<int> field(const QString& s, qsizetype pos, qsizetype width = 2)
{
    return parseDecimal(QStringView(s).mid(pos, width));
}

// HH:MM:SS at the start of `s` (at least 8 characters) -> seconds.
std::optional<int> hmsSeconds(const QString& s)
{
    const auto h = field(s, 0), m = field(s, 3), sec = field(s, 6);
    if (!h || !m || !sec)
        return std::nullopt;
    return *h * 3600 + *m * 60 + *sec;
}

QString hms(long long x)
{
    return twoDigits(x / 3600) + QLatin1Char(':') + twoDigits(x % 3600 / 60) + QLatin1Char(':')
        + twoDigits(x % 60);
}

} // namespace

int convertTime(int t)
{
    if (t < 64)
        return t;
    if (t < 631)
        return 64 + t / 10;
    if (t < 3781)
        return 128 + t / 60;
    return 192 + t / 900;
}

int DecodeTime(int b)
{
    static constexpr int units[4] = {1, 10, 60, 900};
    const int unit = units[(b >> 6) & 3];
    return unit == 1 ? b : (b & 63) * unit;
}

QString displayTime(int x)
{
    return x == 0 ? QStringLiteral("0") : hms(x);
}

// Texts written by displayTime only; fields that are not decimal give the
// neutral value 0.
int getTime(const QString& s)
{
    if (s.size() != 8)
        return 0;
    return hmsSeconds(s).value_or(0);
}

QString displayTime2(int x)
{
    if (x == 0)
        return QStringLiteral("0");
    QString ms = QString::number(x % 1000);
    if (ms.size() == 1)
        ms.prepend(QLatin1String("00"));
    else if (ms.size() == 2)
        ms.prepend(QLatin1Char('0'));
    return twoDigits(x / 1000) + QLatin1Char(',') + ms;
}

// Texts written by displayTime2 only; fields that are not decimal give the
// neutral value 0.
int getTime2(const QString& s)
{
    if (s.size() < 6)
        return 0;
    const auto sec = field(s, 0), ms = field(s, 3, 3);
    if (!sec || !ms)
        return 0;
    return *sec * 1000 + *ms;
}

QString displayTime4(int b)
{
    if (b == 128)
        return QStringLiteral("00:00:00");
    const long long minutes = b < 128 ? b * 5LL : (b - 256LL) * 5 + 1440;
    return twoDigits(minutes / 60) + QLatin1Char(':') + twoDigits(minutes % 60)
        + QLatin1String(":00");
}

// Texts written by displayTime4 only; fields that are not decimal give the
// neutral value 128 (not set).
int getTime3(const QString& s)
{
    if (s.size() != 8)
        return 128;
    const auto h = field(s, 0), m = field(s, 3);
    if (!h || !m)
        return 128;
    int minutes = *h * 60 + *m;
    if (minutes > 720)
        minutes -= 1440;
    return minutes / 5 + 256;
}

QString displayTime3(int x)
{
    if (x == 0)
        return QStringLiteral("0");
    const QString text = hms(std::llabs(static_cast<long long>(x)) * 60);
    return x < 0 ? QLatin1Char('-') + text : text;
}

// Texts written by displayTime3 only; fields that are not decimal give the
// neutral value 128 (no offset).
int getTime4(const QString& s)
{
    if (s.size() < 8)
        return 128;
    const bool negative = s.size() == 9;
    const auto seconds = hmsSeconds(negative ? s.mid(1) : s);
    if (!seconds)
        return 128;
    const int n = *seconds / 120;
    return negative ? 128 - n : 128 + n;
}

QString displayTimeHM(int x)
{
    if (x == 0)
        return QStringLiteral("0");
    return twoDigits(x / 3600) + QLatin1Char(':') + twoDigits(x % 3600 / 60);
}

std::optional<int> getTimeHM(const QString& s)
{
    if (s.size() != 5)
        return 0;
    const auto h = field(s, 0), m = field(s, 3);
    if (!h || !m)
        return std::nullopt;
    return *h * 60 + *m;
}

} // namespace nolt
