#include "forms/FormTextValues.h"

#include "common/Win1251.h"

#include <QStringDecoder>
#include <QStringList>

#include <array>
#include <charconv>
#include <cstring>

namespace kvt::formtext {
namespace {

constexpr std::array kReservedWords{"True", "False", "nil", "int8", "int16", "int32", "int64", "extended",
                                    "single", "date", "currency", "lstring", "wstring", "utf8", "ident",
                                    "item", "end", "object", "trailing", "flags", "position"};

constexpr int kCurrencyScale = 10000;
constexpr int kCurrencyPlaces = 4;
constexpr int kExtendedBytes = 10;

bool isPrintable(QChar ch)
{
    return ch.isPrint() && !ch.isSurrogate();
}

// A quoted rendering of characters; `code` gives the number written after '#' for a character
// that is not shown as itself.
template <typename CodeOf>
std::vector<QString> quotePieces(const QString& text, int pieceLength, CodeOf code)
{
    std::vector<QString> pieces;
    QString piece;
    bool open = false;
    int shown = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\'') {
            if (!open)
                piece += u'\'';
            open = true;
            piece += QLatin1String("''");
        } else if (isPrintable(ch)) {
            if (!open)
                piece += u'\'';
            open = true;
            piece += ch;
        } else {
            if (open)
                piece += u'\'';
            open = false;
            piece += u'#' + QString::number(code(i));
        }
        if (++shown >= pieceLength && i + 1 < text.size()) {
            if (open)
                piece += u'\'';
            pieces.push_back(piece);
            piece.clear();
            open = false;
            shown = 0;
        }
    }
    if (open)
        piece += u'\'';
    if (piece.isEmpty() && pieces.empty())
        piece = QStringLiteral("''");
    if (!piece.isEmpty())
        pieces.push_back(piece);
    return pieces;
}

template <typename Float>
std::optional<QString> shortestText(const QByteArray& raw)
{
    Float value;
    std::memcpy(&value, raw.constData(), sizeof(Float) < size_t(raw.size()) ? sizeof(Float) : size_t(raw.size()));
    if (!(value == value) || value - value != 0)  // NaN or infinity
        return std::nullopt;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (result.ec != std::errc())
        return std::nullopt;
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QLatin1String(".0");
    return text;
}

template <typename Float>
std::optional<QByteArray> parseFloat(QStringView decimal, int size)
{
    const QByteArray latin = decimal.toLatin1();
    Float value{};
    const auto result = std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
    if (result.ec != std::errc() || result.ptr != latin.constData() + latin.size())
        return std::nullopt;
    QByteArray raw(size, '\0');
    std::memcpy(raw.data(), &value, size_t(size));
    return raw;
}

} // namespace

bool IsReservedWord(QStringView word)
{
    for (const char* reserved : kReservedWords) {
        if (word.compare(QLatin1String(reserved), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsPlainWord(QStringView word)
{
    if (word.isEmpty() || word.front() == u'.' || word.front().isDigit())
        return false;
    for (QChar ch : word) {
        if (!(ch.isLetterOrNumber() || ch == u'_' || ch == u'.') || ch.unicode() > 0x7F)
            return false;
    }
    return true;
}

QString NameText(const QByteArray& name)
{
    const QString text = QString::fromLatin1(name);
    if (IsPlainWord(text) && !IsReservedWord(text))
        return text;
    return QuotedBytes(name);
}

QString QuotedBytes(const QByteArray& bytes)
{
    const QString text = FromWin1251(bytes);
    QString joined;
    for (const QString& piece : quotePieces(text, int(text.size()) + 1, [&](qsizetype i) { return quint8(bytes[i]); }))
        joined += piece;
    return joined;
}

std::vector<QString> StringPieces(const StreamValue& value, int pieceLength)
{
    switch (value.kind) {
    case ValueKind::WString:
        return quotePieces(value.units, pieceLength, [&](qsizetype i) { return value.units[i].unicode(); });
    case ValueKind::Utf8String: {
        const QString text = QString::fromUtf8(value.bytes);
        return quotePieces(text, pieceLength, [&](qsizetype i) { return text[i].unicode(); });
    }
    default: {
        const QString text = FromWin1251(value.bytes);
        return quotePieces(text, pieceLength, [&](qsizetype i) { return quint8(value.bytes[i]); });
    }
    }
}

bool IsCleanUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    // Surrogate halves written as characters could not be told apart from escaped units.
    for (QChar ch : text) {
        if (ch.isSurrogate())
            return false;
    }
    return text.toUtf8() == bytes;
}

int FloatSize(ValueKind kind)
{
    return kind == ValueKind::Extended ? kExtendedBytes : kind == ValueKind::Single ? 4 : 8;
}

std::optional<QString> FloatText(ValueKind kind, const QByteArray& raw)
{
    if (raw.size() != FloatSize(kind))
        return std::nullopt;
    std::optional<QString> text;
    switch (kind) {
    case ValueKind::Single: text = shortestText<float>(raw); break;
    case ValueKind::Date: text = shortestText<double>(raw); break;
    default:
        static_assert(sizeof(long double) >= kExtendedBytes, "extended floats need the 80-bit long double");
        {
            QByteArray wide = raw;
            wide.resize(sizeof(long double), '\0');
            text = shortestText<long double>(wide);
        }
        break;
    }
    // Only a text that reads back to the very same bytes may stand for them.
    if (text && FloatBytes(kind, *text) != raw)
        return std::nullopt;
    return text;
}

std::optional<QByteArray> FloatBytes(ValueKind kind, QStringView decimal)
{
    switch (kind) {
    case ValueKind::Single: return parseFloat<float>(decimal, 4);
    case ValueKind::Date: return parseFloat<double>(decimal, 8);
    default: return parseFloat<long double>(decimal, kExtendedBytes);
    }
}

QString CurrencyText(qint64 scaled)
{
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(scaled) : quint64(scaled);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(magnitude / kCurrencyScale) + u'.'
        + QStringLiteral("%1").arg(magnitude % kCurrencyScale, kCurrencyPlaces, 10, QLatin1Char('0'));
}

std::optional<qint64> CurrencyFromText(QStringView text)
{
    bool negative = text.startsWith(u'-');
    if (negative)
        text = text.mid(1);
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1).toString();
    if (whole.isEmpty() || fraction.size() > kCurrencyPlaces)
        return std::nullopt;
    fraction = fraction.leftJustified(kCurrencyPlaces, u'0');
    for (QChar ch : whole.toString() + fraction) {
        if (!ch.isDigit() || ch.unicode() > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const quint64 magnitude = (whole.toString() + fraction).toULongLong(&ok);
    const quint64 limit = negative ? quint64(1) << 63 : (quint64(1) << 63) - 1;
    if (!ok || magnitude > limit)
        return std::nullopt;
    return negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
}

QString ScalarText(const StreamValue& v)
{
    switch (v.kind) {
    case ValueKind::Int8:
    case ValueKind::Int16:
    case ValueKind::Int32:
    case ValueKind::Int64: {
        const QString number = QString::number(v.integer);
        if (StreamValue::Integer(v.integer).kind == v.kind)
            return number;
        const char* function = v.kind == ValueKind::Int8    ? "int8"
                               : v.kind == ValueKind::Int16 ? "int16"
                               : v.kind == ValueKind::Int32 ? "int32"
                                                            : "int64";
        return QLatin1String(function) + u'(' + number + u')';
    }
    case ValueKind::Extended:
    case ValueKind::Single:
    case ValueKind::Date: {
        const std::optional<QString> decimal = FloatText(v.kind, v.bytes);
        if (v.kind == ValueKind::Extended && decimal)
            return *decimal;
        const char* function = v.kind == ValueKind::Extended ? "extended" : v.kind == ValueKind::Single ? "single" : "date";
        const QString inner = decimal ? *decimal : u'$' + QString::fromLatin1(v.bytes.toHex().toUpper());
        return QLatin1String(function) + u'(' + inner + u')';
    }
    case ValueKind::Currency: return QLatin1String("currency(") + CurrencyText(v.integer) + u')';
    case ValueKind::Ident: {
        const QString text = QString::fromLatin1(v.bytes);
        if (IsPlainWord(text) && !IsReservedWord(text))
            return text;
        return QLatin1String("ident(") + QuotedBytes(v.bytes) + u')';
    }
    case ValueKind::True: return QStringLiteral("True");
    case ValueKind::False: return QStringLiteral("False");
    case ValueKind::Nil: return QStringLiteral("nil");
    case ValueKind::Set: {
        QStringList elements;
        for (const QByteArray& element : v.elements)
            elements << NameText(element);
        return u'[' + elements.join(QLatin1String(", ")) + u']';
    }
    default: return {};
    }
}

} // namespace kvt::formtext
