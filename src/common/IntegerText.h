#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Whole numbers written as text in configurations, packets and settings. A text that is not
// the number asked for throws ConversionError("'<text>' is not a valid integer value").
namespace kvt {

// A configuration integer: optional leading spaces, an optional sign, then decimal digits, or
// hex digits after "$" or "0x"; nothing may follow. Hex values up to FFFFFFFF wrap to the 32-bit
// signed range. Anything else (an empty text, a trailing space, an out-of-range number) throws.
int StrToInt(QStringView text);

// The same without throwing: false when the text is no integer.
bool TryStrToInt(QStringView text, int& value);

// A 64-bit decimal integer: leading spaces, an optional sign, then at least one decimal digit
// and nothing else. Throws when the text is no such number or does not fit.
qint64 ParseInteger64(QStringView text);

// An unsigned hexadecimal integer: one or more digits 0-9, A-F or a-f and nothing else; leading
// zeros never overflow. Throws when the text is no such number or exceeds 64 bits.
quint64 ParseUnsignedHex(QStringView text);

} // namespace kvt
