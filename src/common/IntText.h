#pragma once

#include <QString>
#include <QStringView>

namespace kvt {

// Reads a text as an integer the way the console's configuration texts are read: optional
// leading spaces, an optional sign, then decimal digits, or hex digits after "$" or "0x";
// nothing may follow. Hex values up to FFFFFFFF wrap to the 32-bit signed range. Anything else
// (an empty text, a trailing space, an out-of-range number) throws
// ConversionError("'<text>' is not a valid integer value").
int StrToInt(QStringView text);

// The same without throwing: false when the text is no integer.
bool TryStrToInt(QStringView text, int& value);

} // namespace kvt
