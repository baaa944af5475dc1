#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace kvt {
class IniFile;
}

namespace kvt::links {

// Keys of an object's section in ZigBee.ini and RS485.ini that the link engines use.
inline const QString kRadioHighKey = QStringLiteral("DH");
inline const QString kRadioLowKey = QStringLiteral("DL");
inline const QString kRs485AddressKey = QStringLiteral("Adr");
inline const QString kErrorCountKey = QStringLiteral("ErrCnt");

// An object on the radio link as the main thread hands it to the engine: its code, its
// address halves as written in ZigBee.ini and its error counter at the time.
struct RadioPeer {
    int object = 0;
    QString dh;
    QString dl;
    int errCnt = 0;

    bool operator==(const RadioPeer&) const = default;
};

// An object on the RS-485 link: its code, Adr as written in RS485.ini and its error counter.
struct Rs485Peer {
    int object = 0;
    QString adr;
    int errCnt = 0;

    bool operator==(const Rs485Peer&) const = default;
};

// The 64-bit radio address: DH then DL, each read as a 32-bit hexadecimal number (one to
// eight digits, either case, surrounding spaces ignored). None when either half is not one.
std::optional<quint64> RadioAddress64(const QString& dh, const QString& dl);
// The Modbus slave address: Adr read as a decimal number from 1 to 247. None otherwise.
std::optional<int> Rs485SlaveAddress(const QString& adr);
// How a rejected address is shown: "DH/DL" for the radio link, Adr for RS-485.
QString RadioAddressText(const RadioPeer& peer);

// The objects of `objects` whose section in ZigBee.ini holds DH or DL (radio objects), with
// their ErrCnt (default 0). The addresses are taken as written; the engine judges them.
QList<RadioPeer> ReadRadioPeers(const IniFile& zigBee, const QList<int>& objects);
// The objects of `objects` whose section in RS485.ini holds Adr, with their ErrCnt.
QList<Rs485Peer> ReadRs485Peers(const IniFile& rs485, const QList<int>& objects);

} // namespace kvt::links
