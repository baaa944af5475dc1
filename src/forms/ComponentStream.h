#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The binary component stream of object form files (*.kof): the signature "TPF0" and one object
// record, the form, holding the records of its controls. The record tree keeps every value with
// its kind and raw payload so that writing a tree read from a file gives the same bytes again.
namespace kvt {

enum class ValueKind : quint8 {
    End = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
};
inline constexpr int kLastValueKind = 20;

struct StreamProperty;

// One item of a collection value: an optional order (an integer value) and its properties.
struct CollectionItem;

// One value with its kind. Which members are used depends on the kind:
//   integer   Int8, Int16, Int32, Int64, Currency (the value times 10000)
//   bytes     String, Ident, LString, Binary, Utf8String (the raw bytes); Extended (10 bytes),
//             Single (4), Date (8) (the raw IEEE bytes as stored, little-endian)
//   units     WString (UTF-16 code units, any, lone surrogates included)
//   elements  Set (raw element names)
//   items     List (the values); Collection (in `collection`)
struct StreamValue {
    ValueKind kind = ValueKind::Nil;
    qint64 integer = 0;
    QByteArray bytes;
    QString units;
    std::vector<QByteArray> elements;
    std::vector<StreamValue> items;
    std::vector<CollectionItem> collection;

    static StreamValue Integer(qint64 value);        // the smallest of kinds 2, 3, 4, 19
    static StreamValue Integer(ValueKind kind, qint64 value);
    static StreamValue Text(const QString& text);    // kind 6, or 12 beyond 255 bytes (Windows-1251)
    static StreamValue Identifier(const QByteArray& name);
    static StreamValue Boolean(bool value);

    bool isInteger() const;  // kinds 2, 3, 4, 19
    bool isText() const;     // kinds 6, 12, 18, 20
    // The text of a string kind: Windows-1251 for 6 and 12, UTF-16 for 18, UTF-8 for 20.
    QString text() const;
};

struct StreamProperty {
    QByteArray name;   // dotted for nested objects, e.g. "Font.Name"
    StreamValue value;
    qint64 offset = -1;  // byte offset of the value's kind byte in the file, -1 when built in code
};

struct CollectionItem {
    std::optional<StreamValue> order;  // an integer value when present
    std::vector<StreamProperty> properties;
};

// One object record: the form or a control or component on it.
struct StreamRecord {
    bool hasPrefix = false;   // the prefix byte 0xF0 | flags is present
    quint8 flags = 0;         // low nibble of the prefix byte: 1 inherited, 2 child position, 4 inline
    std::optional<StreamValue> childPosition;  // with flag 2: an integer value
    QByteArray className;
    QByteArray name;
    std::vector<StreamProperty> properties;
    std::vector<std::unique_ptr<StreamRecord>> children;
    qint64 offset = -1;       // byte offset of the record in the file

    // The last property of that name (later assignments win), nullptr when absent.
    const StreamProperty* property(QByteArrayView propertyName) const;
    QString classText() const;
    QString nameText() const;
};

struct ComponentStream {
    std::unique_ptr<StreamRecord> root;
    QByteArray trailing;  // bytes after the root record, kept so a rewrite is byte-identical
};

inline constexpr QByteArrayView kStreamSignature = "TPF0";

// True when a record of this class may appear below the root of an object form.
bool IsAcceptedComponentClass(QByteArrayView className);

// Reads a whole object form file. Throws FormatError naming the problem and the byte offset when
// the bytes are not a valid stream: wrong signature, unknown class name, unknown value kind,
// truncated data or a length running past the end, nesting too deep.
ComponentStream ReadComponentStream(const QByteArray& bytes);

// The same without copying the bytes after the form record: `trailing` stays empty and
// `trailingOffset` tells where those bytes begin, for readers of large files that take them
// a piece at a time.
ComponentStream ReadComponentStreamRecord(const QByteArray& bytes, qint64& trailingOffset);

// Writes the tree back as a binary stream (signature included).
QByteArray WriteComponentStream(const ComponentStream& stream);

} // namespace kvt
