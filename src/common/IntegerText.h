#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Whole numbers written as text in configurations, packets and settings.
namespace kvt {

// A 64-bit decimal integer (configuration integers are 32-bit: StrToInt of IntText.h): leading
// spaces, an optional sign, then at least one decimal digit and nothing else. Throws
// ConversionError("'<text>' is not a valid integer value") otherwise and when it does not fit.
qint64 ParseInteger64(QStringView text);

// An unsigned hexadecimal integer: one or more digits 0-9, A-F or a-f and nothing else; leading
// zeros never overflow. Throws ConversionError when the text is no such number or exceeds 64 bits.
quint64 ParseUnsignedHex(QStringView text);

} // namespace kvt
