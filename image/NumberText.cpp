#include "image/NumberText.h"

#include <algorithm>
#include <limits>

namespace nolt {

namespace {

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

std::uint32_t leadingHexValue(QStringView text)
{
    std::uint32_t value = 0;
    const qsizetype n = std::min<qsizetype>(text.size(), 8);
    for (qsizetype i = 0; i < n; ++i) {
        const int d = hexDigitValue(text[i]);
        if (d < 0)
            break;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

std::uint32_t hexField(const QString& text, qsizetype pos, qsizetype width)
{
    if (pos < 0 || pos >= text.size() || width <= 0)
        return 0;
    return leadingHexValue(QStringView(text).mid(pos, width));
}

QString hexDigits(std::uint32_t value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

std::optional<int> parseDecimal(QStringView text, bool allowSign)
{
    bool negative = false;
    if (allowSign && !text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace nolt
