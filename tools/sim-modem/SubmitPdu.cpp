#include "SubmitPdu.h"

#include "common/Hex.h"

namespace kvt::sim {

namespace {

// TP-VPF, bits 4 and 3 of the first octet: the validity period's octets (TS 23.040 §9.2.3.3).
int ValidityPeriodOctets(quint8 firstOctet)
{
    switch ((firstOctet >> 3) & 0x03) {
    case 0x02: return 1; // relative
    case 0x01:           // enhanced
    case 0x03: return 7; // absolute
    default: return 0;
    }
}

// TP-DCS of 8-bit data: general coding group with alphabet bits 01, or the data coding/message
// class group F0-FF with bit 2 set (TS 23.038 §4).
bool IsEightBit(quint8 dcs)
{
    if ((dcs & 0xC0) == 0x00)
        return ((dcs >> 2) & 0x03) == 0x01;
    return (dcs & 0xF0) == 0xF0 && (dcs & 0x04) != 0;
}

} // namespace

SubmittedPdu ReadSubmitPdu(const QString& text)
{
    SubmittedPdu result;
    const QString pduHex = text.toUpper();
    if (pduHex.isEmpty() || pduHex.size() % 2 != 0 || !IsHexText(pduHex))
        return result;
    const QByteArray octets = HexToBytes(pduHex);
    const int scaLength = quint8(octets[0]);
    result.tpduLength = int(octets.size()) - 1 - scaLength;
    // first octet, message reference, address length, type of address
    const int addressAt = 1 + scaLength + 2;
    if (result.tpduLength < 4 || addressAt + 1 >= octets.size())
        return result;
    const int digits = quint8(octets[addressAt]);
    const int digitOctets = (digits + 1) / 2;
    if (addressAt + 2 + digitOctets > octets.size())
        return result;
    for (int i = 0; i < digitOctets; ++i) {
        const quint8 pair = quint8(octets[addressAt + 2 + i]);
        result.destination += QString::number(pair & 0x0F, 16);
        if ((pair >> 4) != 0x0F)
            result.destination += QString::number(pair >> 4, 16);
    }
    result.destination = result.destination.left(digits).toUpper();
    result.valid = true;

    // PID, DCS, the validity period, UDL, then the user data.
    const quint8 firstOctet = quint8(octets[1 + scaLength]);
    const int dcsAt = addressAt + 2 + digitOctets + 1;
    const int udlAt = dcsAt + 1 + ValidityPeriodOctets(firstOctet);
    if (udlAt >= octets.size() || !IsEightBit(quint8(octets[dcsAt])))
        return result;
    const int udl = quint8(octets[udlAt]);
    if (udlAt + 1 + udl > octets.size())
        return result;
    result.eightBit = true;
    result.userData = BytesToHex(octets.mid(udlAt + 1, udl));
    return result;
}

} // namespace kvt::sim
