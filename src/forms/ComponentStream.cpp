#include "forms/ComponentStream.h"

#include "common/Errors.h"
#include "common/Win1251.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace kvt {
namespace {

constexpr std::array kAcceptedClasses{
    // controls
    "TPanel", "TLabel", "TImage", "TSpeedButton", "TComLed", "TRbPanel", "TStaticText", "TSpinEdit",
    "TTabSet", "TMaskEdit", "TEdit", "TMemo", "TRbProgressBar", "TScrollBox", "TSplitter", "TTreeView",
    "TValueListEditor",
    // components without a role in an object form
    "TTimer", "TImageList", "TPopupMenu", "TMainMenu", "TMenuItem", "TComPort", "TDatabase", "TTable",
    "TDataSource", "TQuery", "TSmallintField", "TStringField", "TMemoField", "TApplicationEvents"};

// Records and values nest; a file nesting deeper than this is refused rather than exhausting the
// stack. Real forms nest a handful of levels.
constexpr int kMaxNesting = 64;

constexpr quint8 kPrefixMask = 0xF0;
constexpr quint8 kFlagChildPosition = 2;
constexpr quint8 kCollectionItemStart = 1;  // the list marker that opens an item's properties
constexpr int kExtendedSize = 10;
constexpr int kShortStringMax = 255;

class StreamReader {
public:
    explicit StreamReader(const QByteArray& bytes) : data_(bytes) {}

    // The form record; the bytes after it are kept in the stream or only located.
    ComponentStream read(qint64* trailingOffset = nullptr)
    {
        if (data_.size() < kStreamSignature.size() || !data_.startsWith(kStreamSignature))
            throw FormatError(QStringLiteral("not an object form: the signature \"TPF0\" is missing"), 0);
        pos_ = kStreamSignature.size();
        ComponentStream stream;
        stream.root = record(0, true);
        if (trailingOffset)
            *trailingOffset = pos_;
        else
            stream.trailing = data_.mid(pos_);
        return stream;
    }

private:
    qint64 remaining() const { return data_.size() - pos_; }

    void need(qint64 count, const char* what)
    {
        if (count > remaining())
            throw FormatError(QStringLiteral("truncated: %1 needs %2 bytes, %3 left")
                                  .arg(QLatin1String(what)).arg(count).arg(remaining()),
                              pos_);
    }

    quint8 peek(const char* what)
    {
        need(1, what);
        return quint8(data_[pos_]);
    }

    quint8 byte(const char* what)
    {
        const quint8 b = peek(what);
        ++pos_;
        return b;
    }

    QByteArray bytes(qint64 count, const char* what)
    {
        need(count, what);
        QByteArray result = data_.mid(pos_, count);
        pos_ += count;
        return result;
    }

    qint64 integer(int width, const char* what)
    {
        need(width, what);
        const auto* p = reinterpret_cast<const uchar*>(data_.constData() + pos_);
        pos_ += width;
        switch (width) {
        case 1: return qint8(p[0]);
        case 2: return qFromLittleEndian<qint16>(p);
        case 4: return qFromLittleEndian<qint32>(p);
        default: return qFromLittleEndian<qint64>(p);
        }
    }

    // A 4-byte length followed by that many units of `unitSize` bytes, checked against the file.
    qint64 length(int unitSize, const char* what)
    {
        const qint64 at = pos_;
        const qint64 count = integer(4, what);
        if (count < 0)
            throw FormatError(QStringLiteral("negative length %1 of %2").arg(count).arg(QLatin1String(what)), at);
        if (count * unitSize > remaining())
            throw FormatError(QStringLiteral("length %1 of %2 runs past the end of the file (%3 bytes left)")
                                  .arg(count).arg(QLatin1String(what)).arg(remaining()),
                              at);
        return count;
    }

    QByteArray shortString(const char* what) { return bytes(byte(what), what); }

    void checkDepth(int depth)
    {
        if (depth > kMaxNesting)
            throw FormatError(QStringLiteral("nesting deeper than %1 levels").arg(kMaxNesting), pos_);
    }

    StreamValue integerValue(const char* what)
    {
        const qint64 at = pos_;
        const auto kind = ValueKind(byte(what));
        if (kind != ValueKind::Int8 && kind != ValueKind::Int16 && kind != ValueKind::Int32)
            throw FormatError(QStringLiteral("%1 must be an integer value, found kind %2")
                                  .arg(QLatin1String(what)).arg(int(kind)),
                              at);
        StreamValue v;
        v.kind = kind;
        v.integer = integer(kind == ValueKind::Int8 ? 1 : kind == ValueKind::Int16 ? 2 : 4, what);
        return v;
    }

    std::vector<StreamProperty> properties(int depth)
    {
        std::vector<StreamProperty> result;
        while (peek("property name") != 0) {
            StreamProperty property;
            property.name = shortString("property name");
            property.offset = pos_;
            property.value = value(depth);
            result.push_back(std::move(property));
        }
        ++pos_;  // end of properties
        return result;
    }

    StreamValue value(int depth)
    {
        checkDepth(depth);
        const qint64 at = pos_;
        const quint8 kindByte = byte("value kind");
        if (kindByte > kLastValueKind)
            throw FormatError(QStringLiteral("unknown value kind %1").arg(kindByte), at);
        StreamValue v;
        v.kind = ValueKind(kindByte);
        switch (v.kind) {
        case ValueKind::End:
            throw FormatError(QStringLiteral("end marker where a value was expected"), at);
        case ValueKind::List:
            while (peek("list item") != 0)
                v.items.push_back(value(depth + 1));
            ++pos_;
            break;
        case ValueKind::Int8: v.integer = integer(1, "8-bit integer"); break;
        case ValueKind::Int16: v.integer = integer(2, "16-bit integer"); break;
        case ValueKind::Int32: v.integer = integer(4, "32-bit integer"); break;
        case ValueKind::Int64: v.integer = integer(8, "64-bit integer"); break;
        case ValueKind::Currency: v.integer = integer(8, "currency"); break;
        case ValueKind::Extended: v.bytes = bytes(kExtendedSize, "extended float"); break;
        case ValueKind::Single: v.bytes = bytes(4, "single float"); break;
        case ValueKind::Date: v.bytes = bytes(8, "date"); break;
        case ValueKind::String: v.bytes = shortString("string"); break;
        case ValueKind::Ident: v.bytes = shortString("identifier"); break;
        case ValueKind::False:
        case ValueKind::True:
        case ValueKind::Nil: break;
        case ValueKind::Binary: v.bytes = bytes(length(1, "binary data"), "binary data"); break;
        case ValueKind::LString: v.bytes = bytes(length(1, "long string"), "long string"); break;
        case ValueKind::Utf8String: v.bytes = bytes(length(1, "UTF-8 string"), "UTF-8 string"); break;
        case ValueKind::WString: {
            const qint64 count = length(2, "wide string");
            v.units.resize(count);
            for (qint64 i = 0; i < count; ++i)
                v.units[i] = QChar(char16_t(integer(2, "wide string")));
            break;
        }
        case ValueKind::Set:
            while (peek("set element") != 0)
                v.elements.push_back(shortString("set element"));
            ++pos_;
            break;
        case ValueKind::Collection:
            while (peek("collection item") != 0) {
                CollectionItem item;
                if (peek("collection item") != kCollectionItemStart)
                    item.order = integerValue("collection item order");
                const qint64 markAt = pos_;
                if (byte("collection item") != kCollectionItemStart)
                    throw FormatError(QStringLiteral("collection item does not start with the list marker 1"),
                                      markAt);
                item.properties = properties(depth + 1);
                v.collection.push_back(std::move(item));
            }
            ++pos_;
            break;
        }
        return v;
    }

    std::unique_ptr<StreamRecord> record(int depth, bool isRoot)
    {
        checkDepth(depth);
        auto r = std::make_unique<StreamRecord>();
        r->offset = pos_;
        const quint8 first = peek("object record");
        if ((first & kPrefixMask) == kPrefixMask) {
            ++pos_;
            r->hasPrefix = true;
            r->flags = first & ~kPrefixMask;
            if (r->flags & kFlagChildPosition)
                r->childPosition = integerValue("child position");
        }
        const qint64 classAt = pos_;
        r->className = shortString("class name");
        if (!isRoot && !IsAcceptedComponentClass(r->className))
            throw FormatError(QStringLiteral("unknown class name '%1'").arg(FromWin1251(r->className)), classAt);
        r->name = shortString("component name");
        r->properties = properties(depth);
        while (peek("child record") != 0)
            r->children.push_back(record(depth + 1, false));
        ++pos_;
        return r;
    }

    const QByteArray& data_;
    qint64 pos_ = 0;
};

class StreamWriter {
public:
    QByteArray write(const ComponentStream& stream)
    {
        if (!stream.root)
            throw FormatError(QStringLiteral("no form record to write"));
        out_.append(kStreamSignature.data(), kStreamSignature.size());
        record(*stream.root);
        out_.append(stream.trailing);
        return out_;
    }

private:
    void byte(quint8 b) { out_.append(char(b)); }

    void integer(qint64 value, int width)
    {
        for (int i = 0; i < width; ++i)
            byte(quint8(quint64(value) >> (8 * i)));
    }

    void shortString(const QByteArray& text, const char* what)
    {
        if (text.size() > kShortStringMax)
            throw FormatError(QStringLiteral("%1 longer than %2 bytes").arg(QLatin1String(what)).arg(kShortStringMax));
        byte(quint8(text.size()));
        out_.append(text);
    }

    void sized(const QByteArray& data)
    {
        integer(data.size(), 4);
        out_.append(data);
    }

    void fixed(const QByteArray& data, int size, const char* what)
    {
        if (data.size() != size)
            throw FormatError(QStringLiteral("%1 must hold %2 bytes").arg(QLatin1String(what)).arg(size));
        out_.append(data);
    }

    void properties(const std::vector<StreamProperty>& list)
    {
        for (const StreamProperty& p : list) {
            if (p.name.isEmpty())
                throw FormatError(QStringLiteral("empty property name"));
            shortString(p.name, "property name");
            value(p.value);
        }
        byte(0);
    }

    void value(const StreamValue& v)
    {
        byte(quint8(v.kind));
        switch (v.kind) {
        case ValueKind::End: throw FormatError(QStringLiteral("end marker used as a value"));
        case ValueKind::List:
            for (const StreamValue& item : v.items)
                value(item);
            byte(0);
            break;
        case ValueKind::Int8: integer(v.integer, 1); break;
        case ValueKind::Int16: integer(v.integer, 2); break;
        case ValueKind::Int32: integer(v.integer, 4); break;
        case ValueKind::Int64:
        case ValueKind::Currency: integer(v.integer, 8); break;
        case ValueKind::Extended: fixed(v.bytes, kExtendedSize, "an extended float"); break;
        case ValueKind::Single: fixed(v.bytes, 4, "a single float"); break;
        case ValueKind::Date: fixed(v.bytes, 8, "a date"); break;
        case ValueKind::String: shortString(v.bytes, "string"); break;
        case ValueKind::Ident: shortString(v.bytes, "identifier"); break;
        case ValueKind::False:
        case ValueKind::True:
        case ValueKind::Nil: break;
        case ValueKind::Binary:
        case ValueKind::LString:
        case ValueKind::Utf8String: sized(v.bytes); break;
        case ValueKind::WString:
            integer(v.units.size(), 4);
            for (QChar unit : v.units)
                integer(unit.unicode(), 2);
            break;
        case ValueKind::Set:
            for (const QByteArray& element : v.elements) {
                if (element.isEmpty())
                    throw FormatError(QStringLiteral("empty set element"));
                shortString(element, "set element");
            }
            byte(0);
            break;
        case ValueKind::Collection:
            for (const CollectionItem& item : v.collection) {
                if (item.order)
                    value(*item.order);
                byte(kCollectionItemStart);
                properties(item.properties);
            }
            byte(0);
            break;
        }
    }

    void record(const StreamRecord& r)
    {
        if (r.hasPrefix) {
            byte(kPrefixMask | (r.flags & ~kPrefixMask));
            if (r.flags & kFlagChildPosition) {
                if (!r.childPosition)
                    throw FormatError(QStringLiteral("record %1 flags a child position but has none").arg(r.nameText()));
                value(*r.childPosition);
            }
        }
        // A length byte of 0xF0 or more would read back as a prefix.
        if ((quint8(r.className.size()) & kPrefixMask) == kPrefixMask)
            throw FormatError(QStringLiteral("class name of %1 longer than 239 bytes").arg(r.nameText()));
        shortString(r.className, "class name");
        shortString(r.name, "component name");
        properties(r.properties);
        for (const auto& child : r.children)
            record(*child);
        byte(0);
    }

    QByteArray out_;
};

int smallestIntegerKindWidth(qint64 value)
{
    if (value >= -128 && value <= 127)
        return 1;
    if (value >= -32768 && value <= 32767)
        return 2;
    if (value >= INT_MIN && value <= INT_MAX)
        return 4;
    return 8;
}

} // namespace

StreamValue StreamValue::Integer(qint64 value)
{
    switch (smallestIntegerKindWidth(value)) {
    case 1: return Integer(ValueKind::Int8, value);
    case 2: return Integer(ValueKind::Int16, value);
    case 4: return Integer(ValueKind::Int32, value);
    default: return Integer(ValueKind::Int64, value);
    }
}

StreamValue StreamValue::Integer(ValueKind kind, qint64 value)
{
    StreamValue v;
    v.kind = kind;
    v.integer = value;
    return v;
}

StreamValue StreamValue::Text(const QString& text)
{
    StreamValue v;
    v.bytes = ToWin1251(text);
    v.kind = v.bytes.size() > kShortStringMax ? ValueKind::LString : ValueKind::String;
    return v;
}

StreamValue StreamValue::Identifier(const QByteArray& name)
{
    StreamValue v;
    v.kind = ValueKind::Ident;
    v.bytes = name;
    return v;
}

StreamValue StreamValue::Boolean(bool value)
{
    StreamValue v;
    v.kind = value ? ValueKind::True : ValueKind::False;
    return v;
}

bool StreamValue::isInteger() const
{
    return kind == ValueKind::Int8 || kind == ValueKind::Int16 || kind == ValueKind::Int32 || kind == ValueKind::Int64;
}

bool StreamValue::isText() const
{
    return kind == ValueKind::String || kind == ValueKind::LString || kind == ValueKind::WString
        || kind == ValueKind::Utf8String;
}

QString StreamValue::text() const
{
    switch (kind) {
    case ValueKind::String:
    case ValueKind::LString: return FromWin1251(bytes);
    case ValueKind::WString: return units;
    case ValueKind::Utf8String: return QString::fromUtf8(bytes);
    default: return {};
    }
}

const StreamProperty* StreamRecord::property(QByteArrayView propertyName) const
{
    for (auto it = properties.rbegin(); it != properties.rend(); ++it) {
        if (it->name == propertyName)
            return &*it;
    }
    return nullptr;
}

QString StreamRecord::classText() const { return FromWin1251(className); }
QString StreamRecord::nameText() const { return FromWin1251(name); }

bool IsAcceptedComponentClass(QByteArrayView className)
{
    return std::any_of(kAcceptedClasses.begin(), kAcceptedClasses.end(),
                       [&](const char* name) { return className == QByteArrayView(name); });
}

ComponentStream ReadComponentStream(const QByteArray& bytes)
{
    return StreamReader(bytes).read();
}

ComponentStream ReadComponentStreamRecord(const QByteArray& bytes, qint64& trailingOffset)
{
    return StreamReader(bytes).read(&trailingOffset);
}

QByteArray WriteComponentStream(const ComponentStream& stream)
{
    return StreamWriter().write(stream);
}

} // namespace kvt
