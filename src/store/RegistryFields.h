#pragma once

#include <QString>
#include <QtGlobal>

namespace kvt::registry {

// Names and sizes of the two tables of the store. The sizes are the most characters a text
// field holds; the store refuses longer texts instead of cutting them.
inline const QString kObjectTable = QStringLiteral("Object_ND");
inline const QString kPacketTable = QStringLiteral("SMS_ND");

inline const QString kKodO = QStringLiteral("Kod_O");
inline const QString kNameO = QStringLiteral("Name_O");
inline const QString kPhoneO = QStringLiteral("Phone_O");
inline const QString kTimeRing = QStringLiteral("Time_Ring");
inline const QString kTimeSms = QStringLiteral("Time_SMS");
inline const QString kDateSms = QStringLiteral("Date_SMS");
inline const QString kAdresO = QStringLiteral("Adres_O");
inline const QString kProvercaS = QStringLiteral("Proverca_S");

inline const QString kKodSms = QStringLiteral("Kod_SMS");
inline const QString kDateTimeSms = QStringLiteral("Date_Time_SMS");
inline const QString kTextSms = QStringLiteral("Text_SMS");

constexpr int kNameLength = 30;
constexpr int kPhoneLength = 20;
constexpr int kTimeRingLength = 30;
constexpr int kDateSmsLength = 30;
constexpr int kAdresLength = 255;
constexpr int kProvercaLength = 20;
constexpr int kDateTimeSmsLength = 40;

// Object codes are 16-bit; packet codes are 64-bit so that the history never runs out of codes.
using ObjectCode = qint16;
using PacketCode = qint64;
constexpr qint64 kLargestObjectCode = 32767;

// The receipt stamp of "nothing received yet" and of a link check that never happened.
inline const QString kEmptyStamp = QStringLiteral("00.00.00  00:00");
// The link-check interval of an object that is not supervised.
inline const QString kNoCheckInterval = QStringLiteral("0");

// The query behind the history tree: the stored packets of one object in ascending code order.
inline const QString kNodeQuery = QStringLiteral("Select * from SMS_ND where Kod_O=:Kod_O order by Kod_SMS");

// The file of the store inside the data folder.
inline const QString kStoreFileName = QStringLiteral("DRAV.sqlite");

} // namespace kvt::registry
