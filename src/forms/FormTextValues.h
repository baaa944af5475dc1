#pragma once

#include "forms/ComponentStream.h"

#include <QString>

#include <optional>
#include <vector>

// Spelling of single values in the text form of object forms, shared by its writer and parser.
namespace kvt::formtext {

// Words that name a value form; an identifier spelled like one of them is written as ident('...').
bool IsReservedWord(QStringView word);

// True when the text may stand unquoted as a name or identifier: letters, digits, "_", "." (not
// first), not empty.
bool IsPlainWord(QStringView word);

// A record, class or property name: the plain word, or a quoted string of its bytes.
QString NameText(const QByteArray& name);

// A quoted string of Windows-1251 bytes: 'text' with '' for a quote and #N for a byte N that has
// no printable character.
QString QuotedBytes(const QByteArray& bytes);

// The quoted pieces of a string value (kinds 6, 12, 18, 20), each about `pieceLength` characters.
std::vector<QString> StringPieces(const StreamValue& value, int pieceLength);

// True when the bytes are UTF-8 that decodes and encodes back to the same bytes.
bool IsCleanUtf8(const QByteArray& bytes);

// The text of a value that fits one token: integers, floats, currency, identifiers, booleans,
// nil, sets.
QString ScalarText(const StreamValue& value);

// Floats: the shortest decimal that reads back to the same bits, or nothing (NaN, infinity, a
// bit pattern that no decimal gives back).
std::optional<QString> FloatText(ValueKind kind, const QByteArray& raw);
// The raw little-endian bytes of a decimal for kinds Extended, Single and Date.
std::optional<QByteArray> FloatBytes(ValueKind kind, QStringView decimal);
int FloatSize(ValueKind kind);

// Currency: the stored integer (value times 10000) as a decimal with four places, and back.
QString CurrencyText(qint64 scaled);
std::optional<qint64> CurrencyFromText(QStringView text);

} // namespace kvt::formtext
