#include "gsm/DeliverPduBuilder.h"

#include "gsm/PduConv.h"

#include <cstdlib>

namespace kvt {

namespace {

// TP-MTI = DELIVER, TP-MMS set: no more messages are waiting at the centre.
constexpr auto kDeliverFirstOctet = QLatin1StringView("04");
constexpr auto kProtocolIdentifier = QLatin1StringView("00");
constexpr auto kCodingGsm7Bit = QLatin1StringView("00");
constexpr auto kCoding8BitData = QLatin1StringView("04");
constexpr unsigned char kZoneNegative = 0x08;  // sign bit of the time-zone octet
constexpr int kCenturyYears = 100;

// One decimal value 0..99 as a swapped semi-octet pair: units digit first.
QString swappedDecimal(int value)
{
    return QString::number(value % 10) + QString::number(value / 10 % 10);
}

// The service-centre address: its length in octets (type of address included), type, digits.
QString serviceCentreAddress(QStringView digits)
{
    const qsizetype octets = 1 + (digits.size() + 1) / 2;
    return LengthOctet(octets) + kInternationalIsdn + PhoneToSemiOctets(digits);
}

// Everything of the PDU up to the data coding scheme.
QString head(const DeliverMessage& message)
{
    return serviceCentreAddress(message.serviceCentre) + kDeliverFirstOctet + LengthOctet(message.sender.size())
        + kInternationalIsdn + PhoneToSemiOctets(message.sender) + kProtocolIdentifier;
}

} // namespace

QString ServiceCentreTimeStamp(const QDateTime& stamp, int zoneQuarters)
{
    const QDate date = stamp.date();
    const QTime time = stamp.time();
    const int quarters = std::abs(zoneQuarters);
    // The zone octet holds the tens digit in its low semi-octet, the units in its high one.
    const unsigned char zone = static_cast<unsigned char>(((quarters % 10) << 4) | (quarters / 10 % 10)
                                                          | (zoneQuarters < 0 ? kZoneNegative : 0));
    return swappedDecimal(date.year() % kCenturyYears) + swappedDecimal(date.month()) + swappedDecimal(date.day())
        + swappedDecimal(time.hour()) + swappedDecimal(time.minute()) + swappedDecimal(time.second())
        + ByteToHex(zone);
}

QString BuildDeliverTextPdu(const DeliverMessage& message, QStringView text)
{
    const QByteArray codes = ToGsmAlphabet(text);
    return head(message) + kCodingGsm7Bit + ServiceCentreTimeStamp(message.stamp, message.zoneQuarters)
        + LengthOctet(codes.size()) + PackSeptets(codes);
}

QString BuildDeliverDataPdu(const DeliverMessage& message, QByteArrayView data)
{
    return head(message) + kCoding8BitData + ServiceCentreTimeStamp(message.stamp, message.zoneQuarters)
        + LengthOctet(data.size()) + BytesToHex(data.toByteArray());
}

} // namespace kvt
