#pragma once

#include "common/Hex.h"           // ByteToHex, BytesToHex: the codec's hex helpers live in common
#include "common/Transliterate.h" // Cyrillic to Latin for the texts sent as 7-bit SMS

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The SMS PDU codec of the console (3GPP TS 23.040 layouts, 3GPP TS 23.038 alphabet).
//
// Outgoing messages are handed to the modem as the hex text of an SMS-SUBMIT TPDU without a
// service-centre address; incoming messages are read back as the hex text of an SMS-DELIVER
// TPDU preceded by the service-centre address. Received user data is never unpacked: it stays
// hex text. The codec reports no errors: malformed or short input gives empty or partial fields.
namespace kvt {

// Fields of a received SMS-DELIVER as the console reads them.
struct DeliverPdu {
    bool found = false;      // a PDU beginning "0791" was present in the reply
    QString sender;          // originating address digits (no type of address, no filler)
    QString stamp;           // receipt stamp "dd.mm.yy  hh:mm" from the service-centre time stamp
    QString coding;          // the second hex digit of the data coding scheme ("4" = 8-bit data)
    QString udLengthText;    // the user-data length octet as its two hex characters
    QString userData;        // the user data as hex text, up to the end of the PDU line
    QString text;            // the whole PDU as read, service-centre address first
};

// Type of address of every number the console writes: international number, ISDN numbering plan.
inline constexpr QLatin1StringView kInternationalIsdn("91");

// A length field of a PDU: one octet as two hex digits (a longer count keeps its low byte).
QString LengthOctet(qsizetype length);

// Longest reply of the modem the walker looks at: the read buffer of one read-message command.
inline constexpr int kDeliverReplyMaxChars = 512;

// The GSM 7-bit codes of a single-byte text (one byte per character, the console's
// Windows-1251 code page) by the fixed 256-entry table; characters of the extension table
// come out as the escape code 27 followed by their extension code. The length of the result
// is the septet count.
QByteArray ToGsmAlphabet(QByteArrayView bytes);
QByteArray ToGsmAlphabet(QStringView text);

// GSM 7-bit packing (3GPP TS 23.038 §6.1.2.1.1) of n codes into ceil(7n/8) octets, as hex.
// Only the low 7 bits of each code take part.
QString PackSeptets(QByteArrayView codes);

// A phone number in semi-octets: digit pairs written second digit first, an odd last digit
// as "F" followed by the digit ("79123456789" -> "9721436587F9"). Other characters are
// written unchanged.
QString PhoneToSemiOctets(QStringView phone);

// SMS-SUBMIT with 7-bit text: no service-centre address, status report requested, relative
// validity of 4 days.
QString EncodeSubmitPdu(QStringView text, QStringView phone);

// SMS-SUBMIT with 8-bit data given as hex text (written into the PDU as it is).
QString EncodeDataSubmitPdu(QStringView dataHex, QStringView phone);

// Walks the modem's reply to a read-message command: the PDU is the run of characters from
// the first "0791" up to the first control character, within the first 512 characters of the
// reply. Never reads outside the reply.
DeliverPdu DecodeDeliverPdu(QStringView reply);

} // namespace kvt
