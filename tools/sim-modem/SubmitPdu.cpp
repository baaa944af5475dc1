#include "SubmitPdu.h"

#include "common/Hex.h"

namespace kvt::sim {

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
    return result;
}

} // namespace kvt::sim
