#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Hexadecimal texts: upper case, two digits per byte.
namespace kvt {

QString ByteToHex(unsigned char byte);

// Hex of the Windows-1251 codes of the text's characters.
QString BytesToHex(QStringView text);
QString BytesToHex(const QByteArray& bytes);

// Bytes of the pairs at positions 1-2, 3-4, ...; a trailing single character is ignored.
// Throws ConversionError naming the first pair that is not hexadecimal.
QByteArray HexToBytes(QStringView hex);

// True when the text is non-empty and holds only 0-9 and A-F (upper case).
bool IsHexText(QStringView text);

// Each hex digit as four binary digits, most significant first ("A" -> "1010").
// A character that is not a hex digit gives "0000".
QString HexToBits(QStringView hex);

// The meter float: the text is lower-cased and read in pairs up to the first pair that is not
// hex or up to 10 bytes; the top bit of the first byte is inverted; the bytes are a big-endian
// IEEE number of 4 (single), 8 (double) or 10 (80-bit extended) bytes. Any other byte count
// throws ConversionError("HexToFloat conversion error").
long double HexToFloat(QStringView hex);

// The value of one hex digit (either case), -1 when it is none.
int HexDigitValue(QChar ch);

} // namespace kvt
