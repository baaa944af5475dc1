#include "links/LinkPeers.h"

#include "common/IniFile.h"

#include <QRegularExpression>

namespace kvt::links {

namespace {

constexpr int kHexBase = 16;
constexpr int kFirstSlaveAddress = 1;
constexpr int kLastSlaveAddress = 247;
constexpr int kAddressHalfBits = 32;

std::optional<quint32> AddressHalf(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{1,8}$"));
    const QString trimmed = text.trimmed();
    if (!hex.match(trimmed).hasMatch())
        return std::nullopt;
    return trimmed.toUInt(nullptr, kHexBase);
}

} // namespace

std::optional<quint64> RadioAddress64(const QString& dh, const QString& dl)
{
    const auto high = AddressHalf(dh);
    const auto low = AddressHalf(dl);
    if (!high || !low)
        return std::nullopt;
    return (quint64(*high) << kAddressHalfBits) | *low;
}

std::optional<int> Rs485SlaveAddress(const QString& adr)
{
    static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,3}$"));
    const QString trimmed = adr.trimmed();
    if (!decimal.match(trimmed).hasMatch())
        return std::nullopt;
    const int address = trimmed.toInt();
    if (address < kFirstSlaveAddress || address > kLastSlaveAddress)
        return std::nullopt;
    return address;
}

QString RadioAddressText(const RadioPeer& peer)
{
    return peer.dh + QLatin1Char('/') + peer.dl;
}

QList<RadioPeer> ReadRadioPeers(const IniFile& zigBee, const QList<int>& objects)
{
    QList<RadioPeer> peers;
    for (int object : objects) {
        const QString section = QString::number(object);
        if (!zigBee.valueExists(section, kRadioHighKey) && !zigBee.valueExists(section, kRadioLowKey))
            continue;
        peers.append({object, zigBee.readString(section, kRadioHighKey), zigBee.readString(section, kRadioLowKey),
                      zigBee.readInteger(section, kErrorCountKey, 0)});
    }
    return peers;
}

QList<Rs485Peer> ReadRs485Peers(const IniFile& rs485, const QList<int>& objects)
{
    QList<Rs485Peer> peers;
    for (int object : objects) {
        const QString section = QString::number(object);
        if (!rs485.valueExists(section, kRs485AddressKey))
            continue;
        peers.append({object, rs485.readString(section, kRs485AddressKey), rs485.readInteger(section, kErrorCountKey, 0)});
    }
    return peers;
}

} // namespace kvt::links
