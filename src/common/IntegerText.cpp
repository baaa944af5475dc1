#include "common/IntegerText.h"

#include "common/Errors.h"
#include "common/Hex.h"

#include <limits>

namespace kvt {

namespace {

constexpr qint64 kMaxHexValue = 0xFFFFFFFFLL;
constexpr qint64 kMaxDecimalMagnitude = 2147483648LL; // magnitude of the smallest int

[[noreturn]] void notAnInteger(QStringView text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

// Where the digits of a number begin after its leading spaces and sign, and the sign.
struct NumberStart {
    qsizetype digits = 0;
    bool negative = false;
};

NumberStart skipSpacesAndSign(QStringView text)
{
    NumberStart start;
    qsizetype& i = start.digits;
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        start.negative = text[i] == u'-';
        ++i;
    }
    return start;
}

int decimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

} // namespace

bool TryStrToInt(QStringView text, int& value)
{
    auto [i, negative] = skipSpacesAndSign(text);
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    const qint64 limit = base == 16 ? kMaxHexValue : kMaxDecimalMagnitude;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexDigitValue(text[i]) : decimalDigit(text[i]);
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    if (base == 10 && !negative && magnitude == kMaxDecimalMagnitude)
        return false;
    const qint64 signedValue = negative ? -magnitude : magnitude;
    value = int(qint32(quint32(quint64(signedValue))));
    return true;
}

int StrToInt(QStringView text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        notAnInteger(text);
    return value;
}

qint64 ParseInteger64(QStringView text)
{
    auto [i, negative] = skipSpacesAndSign(text);
    if (i == text.size())
        notAnInteger(text);
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = decimalDigit(text[i]);
        if (digit < 0 || magnitude > (limit - unsigned(digit)) / 10)
            notAnInteger(text);
        magnitude = magnitude * 10 + unsigned(digit);
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
