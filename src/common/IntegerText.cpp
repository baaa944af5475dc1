#include "common/IntegerText.h"

#include "common/Errors.h"
#include "common/Hex.h"

#include <limits>

namespace kvt {

namespace {

[[noreturn]] void notAnInteger(QStringView text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace

qint64 ParseInteger64(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        notAnInteger(text);
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            notAnInteger(text);
        const unsigned digit = c - '0';
        if (magnitude > (limit - digit) / 10)
            notAnInteger(text);
        magnitude = magnitude * 10 + digit;
    }
    // Negating through unsigned arithmetic keeps the most negative value defined.
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

quint64 ParseUnsignedHex(QStringView text)
{
    if (text.isEmpty())
        notAnInteger(text);
    quint64 value = 0;
    for (QChar ch : text) {
        const int digit = HexDigitValue(ch);
        if (digit < 0 || value > (std::numeric_limits<quint64>::max() >> 4))
            notAnInteger(text);
        value = (value << 4) | quint64(digit);
    }
    return value;
}

} // namespace kvt
