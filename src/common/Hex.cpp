#include "common/Hex.h"

#include "common/Errors.h"
#include "common/Win1251.h"

#include <cstring>

namespace kvt {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
constexpr int kMaxFloatBytes = 10;
const char* const kHexToFloatError = "HexToFloat conversion error";

QString bytesHex(const unsigned char* data, qsizetype size)
{
    QString out(size * 2, Qt::Uninitialized);
    QChar* p = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        *p++ = QLatin1Char(kDigits[data[i] >> 4]);
        *p++ = QLatin1Char(kDigits[data[i] & 0x0F]);
    }
    return out;
}

// Reads an 80-bit x87 extended value given big-endian (sign/exponent first).
long double extendedFromBigEndian(const unsigned char* be)
{
    const int sign = (be[0] & 0x80) ? -1 : 1;
    const int exponent = ((be[0] & 0x7F) << 8) | be[1];
    unsigned long long mantissa = 0;
    for (int i = 2; i < 10; ++i)
        mantissa = (mantissa << 8) | be[i];
    if (exponent == 0 && mantissa == 0)
        return sign * 0.0L;
    if (exponent == 0x7FFF)
        return (mantissa << 1) == 0 ? sign * __builtin_infl() : __builtin_nanl("");
    // The integer bit is explicit in the extended format: value = mantissa * 2^(e - 16383 - 63).
    const int unbiased = (exponent == 0 ? 1 : exponent) - 16383 - 63;
    return sign * __builtin_ldexpl(static_cast<long double>(mantissa), unbiased);
}
} // namespace

int HexDigitValue(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QString ByteToHex(unsigned char byte)
{
    return bytesHex(&byte, 1);
}

QString BytesToHex(const QByteArray& bytes)
{
    return bytesHex(reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
}

QString BytesToHex(QStringView text)
{
    return BytesToHex(ToWin1251(text));
}

QByteArray HexToBytes(QStringView hex)
{
    QByteArray out;
    out.reserve(hex.size() / 2);
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int hi = HexDigitValue(hex[i]);
        const int lo = HexDigitValue(hex[i + 1]);
        if (hi < 0 || lo < 0) {
            throw ConversionError(QStringLiteral("'%1' is not a valid hexadecimal byte (position %2)")
                                      .arg(hex.mid(i, 2).toString())
                                      .arg(i + 1));
        }
        out.append(static_cast<char>((hi << 4) | lo));
    }
    return out;
}

bool IsHexText(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

QString HexToBits(QStringView hex)
{
    QString bits;
    bits.reserve(hex.size() * 4);
    for (QChar ch : hex) {
        const int v = std::max(HexDigitValue(ch), 0);
        for (int bit = 3; bit >= 0; --bit)
            bits.append(QLatin1Char((v >> bit) & 1 ? '1' : '0'));
    }
    return bits;
}

long double HexToFloat(QStringView hex)
{
    const QString lower = hex.toString().toLower();
    unsigned char bytes[kMaxFloatBytes] = {};
    int count = 0;
    for (qsizetype i = 0; i + 1 < lower.size() && count < kMaxFloatBytes; i += 2) {
        const int hi = HexDigitValue(lower[i]);
        const int lo = HexDigitValue(lower[i + 1]);
        if (hi < 0 || lo < 0)
            break;
        bytes[count++] = static_cast<unsigned char>((hi << 4) | lo);
    }
    if (count == 0)
        throw ConversionError(QString::fromLatin1(kHexToFloatError));
    bytes[0] ^= 0x80;
    switch (count) {
    case 4: {
        quint32 bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = (bits << 8) | bytes[i];
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    case 8: {
        quint64 bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | bytes[i];
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    case 10:
        return extendedFromBigEndian(bytes);
    default:
        throw ConversionError(QString::fromLatin1(kHexToFloatError));
    }
}

} // namespace kvt
