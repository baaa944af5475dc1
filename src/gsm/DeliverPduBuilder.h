#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>

// Builds received messages as a modem shows them after a read-message command: the
// service-centre address followed by an SMS-DELIVER TPDU (3GPP TS 23.040 §9.2.2.1), as hex.
// Used by the modem simulator and by tests to stand in for the network.
namespace kvt {

struct DeliverMessage {
    QString sender;                                    // digits in international form, no '+'
    QDateTime stamp;                                   // service-centre time stamp (its local time)
    int zoneQuarters = 0;                              // time zone: quarters of an hour east of GMT
    QString serviceCentre = QStringLiteral("79000000000");  // digits in international form
};

// A 7-bit message: the text (Windows-1251 characters) converted by ToGsmAlphabet and packed.
QString BuildDeliverTextPdu(const DeliverMessage& message, QStringView text);

// An 8-bit data message carrying the bytes as they are.
QString BuildDeliverDataPdu(const DeliverMessage& message, QByteArrayView data);

// The TP-SCTS field: year, month, day, hour, minute, second in swapped semi-octets, then the
// time zone with its sign in bit 3.
QString ServiceCentreTimeStamp(const QDateTime& stamp, int zoneQuarters);

} // namespace kvt
