#include "gsm/PduConv.h"

#include "common/TextPos.h"
#include "gsm/ModemInterface.h"

namespace kvt {

namespace {

constexpr int kSeptetBits = 7;
constexpr int kOctetBits = 8;

// SMS-SUBMIT, text form (3GPP TS 23.040 §9.2.2.2).
constexpr auto kNoServiceCentre = QLatin1StringView("00");  // the modem's default centre is used
// TP-MTI = SUBMIT, TP-RD (reject duplicates), TP-VPF = relative, TP-SRR (status report).
constexpr auto kSubmitTextFirstOctet = QLatin1StringView("35");
constexpr auto kMessageReference = QLatin1StringView("00");
constexpr auto kProtocolIdentifier = QLatin1StringView("00");
constexpr auto kCodingGsm7Bit = QLatin1StringView("00");
constexpr auto kValidityFourDays = QLatin1StringView("AA");  // relative: (0xAA - 166) days

// SMS-SUBMIT, data form: SC length, first octet (SUBMIT, relative validity), reference; then
// PID 0, DCS 8-bit data (0x04), validity 4 days.
constexpr auto kSubmitDataHead = QLatin1StringView("001100");
constexpr auto kSubmitDataTail = QLatin1StringView("0004AA");

// SMS-DELIVER walk. The reply holds the PDU line after "+CMGR: ...".
constexpr char16_t kFirstPrintable = 32;

// Positions in the PDU count from 0, as the TS 23.040 layout is read; a field past the end of
// the PDU comes out shorter or empty.
QString midOf(QStringView pdu, qsizetype index, qsizetype count)
{
    return Copy(pdu, int(index) + 1, int(count));
}

QString charAt(QStringView pdu, qsizetype index)
{
    return midOf(pdu, index, 1);
}

// Value of the two hex digits at a 0-based position. A field cut short takes the digits that
// are there; a field holding a character that is not a hex digit counts as 0.
int hexOctetAt(QStringView pdu, qsizetype index)
{
    int value = 0;
    const QString field = midOf(pdu, index, 2);
    for (QChar ch : field) {
        const int digit = HexDigitValue(ch);
        if (digit < 0)
            return 0;
        value = value * 16 + digit;
    }
    return value;
}

// A semi-octet pair read high digit first: the characters at index + 1 and index.
QString swappedPairAt(QStringView pdu, qsizetype index)
{
    return charAt(pdu, index + 1) + charAt(pdu, index);
}

} // namespace

QString LengthOctet(qsizetype length)
{
    return ByteToHex(static_cast<unsigned char>(length));
}

QString PackSeptets(QByteArrayView codes)
{
    QByteArray octets;
    octets.reserve((codes.size() * kSeptetBits + kOctetBits - 1) / kOctetBits);
    // Codes go in least significant bit first; whole octets leave from the bottom.
    quint32 bits = 0;
    int bitCount = 0;
    for (char code : codes) {
        bits |= (static_cast<quint32>(static_cast<unsigned char>(code)) & 0x7F) << bitCount;
        bitCount += kSeptetBits;
        while (bitCount >= kOctetBits) {
            octets.append(static_cast<char>(bits & 0xFF));
            bits >>= kOctetBits;
            bitCount -= kOctetBits;
        }
    }
    if (bitCount > 0)
        octets.append(static_cast<char>(bits & 0xFF));
    return BytesToHex(octets);
}

QString PhoneToSemiOctets(QStringView phone)
{
    QString out;
    out.reserve(phone.size() + 1);
    for (qsizetype i = 0; i < phone.size(); i += 2) {
        if (i + 1 < phone.size()) {
            out.append(phone[i + 1]);
            out.append(phone[i]);
        } else {
            out.append(QLatin1Char('F'));
            out.append(phone[i]);
        }
    }
    return out;
}

QString EncodeSubmitPdu(QStringView text, QStringView phone)
{
    const QByteArray codes = ToGsmAlphabet(text);
    return kNoServiceCentre + kSubmitTextFirstOctet + kMessageReference + LengthOctet(phone.size())
        + kInternationalIsdn + PhoneToSemiOctets(phone) + kProtocolIdentifier + kCodingGsm7Bit
        + kValidityFourDays + LengthOctet(codes.size()) + PackSeptets(codes);
}

QString EncodeDataSubmitPdu(QStringView dataHex, QStringView phone)
{
    return kSubmitDataHead + LengthOctet(phone.size()) + kInternationalIsdn + PhoneToSemiOctets(phone)
        + kSubmitDataTail + LengthOctet(dataHex.size() / 2) + dataHex.toString();
}

DeliverPdu DecodeDeliverPdu(QStringView reply)
{
    DeliverPdu result;
    reply = reply.left(kDeliverReplyMaxChars);
    const qsizetype start = reply.indexOf(modem::kPduStart);
    if (start < 0)
        return result;
    qsizetype end = start;
    while (end < reply.size() && reply[end].unicode() >= kFirstPrintable)
        ++end;
    const QStringView pdu = reply.mid(start, end - start);
    if (pdu.isEmpty())
        return result;
    result.found = true;
    result.text = pdu.toString();

    // Service-centre address (TS 23.040 §9.1.2.5): its length octet counts octets.
    const qsizetype sc = 2 * hexOctetAt(pdu, 0);
    // pdu[sc+2..sc+3] is the first octet of the TPDU; the console does not look at it.
    const qsizetype addressDigitsAt = sc + 4;  // TP-OA length: number of digits
    const int digits = hexOctetAt(pdu, addressDigitsAt);
    const qsizetype addressAt = sc + 8;         // after the length and the type of address
    for (int i = 0; i + 1 < digits; i += 2)
        result.sender += swappedPairAt(pdu, addressAt + i);
    if (digits % 2 != 0)
        result.sender += charAt(pdu, addressAt + digits);  // the filler 'F' is skipped

    const qsizetype e = addressAt + digits + digits % 2;  // TP-PID
    result.coding = charAt(pdu, e + 3);                    // low digit of TP-DCS

    // TP-SCTS (§9.2.3.11): year, month, day, hour, minute, second, zone, each swapped.
    const qsizetype scts = e + 4;
    result.stamp = swappedPairAt(pdu, scts + 4) + QLatin1Char('.') + swappedPairAt(pdu, scts + 2)
        + QLatin1Char('.') + swappedPairAt(pdu, scts) + QLatin1StringView("  ")
        + swappedPairAt(pdu, scts + 6) + QLatin1Char(':') + swappedPairAt(pdu, scts + 8);

    result.udLengthText = midOf(pdu, e + 18, 2);
    result.userData = midOf(pdu, e + 20, pdu.size());
    return result;
}

} // namespace kvt
