#include "packets/StatePacket.h"

#include "common/Hex.h"
#include "common/IntegerText.h"
#include "common/Win1251.h"

#include <algorithm>

namespace kvt {

namespace {
constexpr int kMaxTextCharacters = 255;
constexpr char16_t kCarriageReturn = 13;

// The decimal reading fields: marker bytes and the first byte of each field.
constexpr qint64 kDecimalMinBytes = 16;
constexpr qint64 kFirstMarkerByte = 7;   // 'A'
constexpr qint64 kSecondMarkerByte = 12; // 'E'
constexpr qint64 kFirstFieldByte = 8;
constexpr qint64 kSecondFieldByte = 13;
constexpr qint64 kFieldBytes = 4;
constexpr unsigned kSpaceByte = 0x20;

// The text panel header: bytes 6 and 7 " A" blank bytes 1-6.
constexpr qint64 kHeaderSpaceByte = 6;
constexpr qint64 kHeaderLetterByte = 7;
constexpr qint64 kHeaderBytes = 6;

qint64 charPosition(qint64 byteNumber) { return 2 * byteNumber - 1; }

int byteValue(const QString& pair)
{
    return int(HexToBytes(pair).at(0)) & 0xFF;
}
} // namespace

StatePacket::StatePacket(QStringView raw)
{
    const qsizetype nul = raw.indexOf(QChar(0));
    text_ = (nul < 0 ? raw : raw.first(nul)).toString();
}

QString StatePacket::byteText(qint64 number) const
{
    return run(number, 1).hex;
}

StatePacket::Run StatePacket::run(qint64 first, qint64 count) const
{
    Run result;
    const qint64 start = charPosition(first);
    const qint64 end = 2 * (first + count - 1);
    result.complete = end < start || (reaches(start) && reaches(end));
    const qint64 from = std::max<qint64>(start, 1);
    const qint64 to = std::min<qint64>(end, text_.size());
    if (from <= to)
        result.hex = text_.mid(from - 1, to - from + 1);
    return result;
}

QString StatePacket::characters() const
{
    const QByteArray bytes = HexToBytes(text_);
    QString text;
    text.reserve(std::min<qsizetype>(bytes.size(), kMaxTextCharacters));
    for (char byte : bytes) {
        if (text.size() == kMaxTextCharacters)
            break;
        const QChar ch = Win1251Char(uchar(byte));
        if (ch.unicode() != kCarriageReturn)
            text.append(ch);
    }
    return text;
}

void StatePacket::convertDecimalFields()
{
    if (length() < 2 * kDecimalMinBytes || byteText(kFirstMarkerByte) != QLatin1String("41")
        || byteText(kSecondMarkerByte) != QLatin1String("45"))
        return;
    convertDecimalField(kFirstFieldByte);
    convertDecimalField(kSecondFieldByte);
}

void StatePacket::convertDecimalField(qint64 firstByte)
{
    QString digits;
    for (qint64 i = 0; i < kFieldBytes; ++i) {
        const unsigned byte = unsigned(byteValue(byteText(firstByte + i)));
        if (i == kFieldBytes - 1 && byte == kSpaceByte)
            break;
        digits.append(Win1251Char(uchar(byte)));
    }
    // The field holds a 16-bit number; a negative reading keeps its two's-complement form.
    const quint16 value = quint16(StrToInt(digits));
    text_.replace(int(charPosition(firstByte)) - 1, 4, QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper());
}

StatePacket StatePacket::withBlankedHeader() const
{
    StatePacket copy = *this;
    if (byteText(kHeaderSpaceByte) == QLatin1String("20") && byteText(kHeaderLetterByte) == QLatin1String("41")) {
        for (qint64 i = 0; i < kHeaderBytes; ++i)
            copy.text_.replace(int(charPosition(i + 1)) - 1, 2, QStringLiteral("20"));
    }
    return copy;
}

} // namespace kvt
