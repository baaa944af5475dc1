#include "common/IntText.h"

#include "common/Errors.h"
#include "common/Hex.h"

namespace kvt {
namespace {
constexpr qint64 kMaxHexValue = 0xFFFFFFFFLL;
constexpr qint64 kMaxDecimalMagnitude = 2147483648LL;  // magnitude of the smallest int
} // namespace

bool TryStrToInt(QStringView text, int& value)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
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
        const int digit = base == 16 ? HexDigitValue(text[i])
                                     : (text[i] >= u'0' && text[i] <= u'9' ? text[i].unicode() - u'0' : -1);
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
        throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace kvt
