#include "RadioModemSim.h"

#include <QRegularExpression>
#include <QTimer>

namespace kvt::sim {

namespace {

constexpr char kDelimiter = 0x7E;
constexpr int kHeader = 3;
constexpr quint8 kChecksumTotal = 0xFF;
constexpr quint8 kAtCommand = 0x08;
constexpr quint8 kTransmitRequest = 0x10;
constexpr quint8 kAtResponse = 0x88;
constexpr quint8 kTransmitStatus = 0x8B;
constexpr quint8 kReceivePacket = 0x90;
constexpr int kTransmitHeader = 14; // type, id, 64-bit and 16-bit address, radius, options
constexpr quint8 kDelivered = 0x00;
constexpr quint8 kNetworkAckFailure = 0x21;
constexpr quint8 kAddressNotFound = 0x24;
constexpr quint8 kAtOk = 0x00;
constexpr quint8 kAtInvalidCommand = 0x02;
constexpr quint8 kJoined = 0x00;
constexpr quint8 kPacketAcknowledged = 0x01;
constexpr quint8 kFailedRetries = 3;
constexpr quint16 kUnknownNetworkAddress = 0xFFFE;
constexpr int kReportSize = 140;

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

void Put(QByteArray& out, quint64 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

quint64 Get(const QByteArray& data, int at, int bytes)
{
    quint64 value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | quint8(data[at + i]);
    return value;
}

} // namespace

std::optional<quint64> ParseRadioAddress(const QString& text)
{
    static const QRegularExpression pair(QStringLiteral("^([0-9A-Fa-f]{1,8}):([0-9A-Fa-f]{1,8})$"));
    static const QRegularExpression whole(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    if (const auto match = pair.match(text); match.hasMatch())
        return (match.captured(1).toULongLong(nullptr, 16) << 32) | match.captured(2).toULongLong(nullptr, 16);
    if (whole.match(text).hasMatch())
        return text.toULongLong(nullptr, 16);
    return std::nullopt;
}

QString RadioAddressText(quint64 address)
{
    return QStringLiteral("%1:%2")
        .arg(quint32(address >> 32), 8, 16, QLatin1Char('0'))
        .arg(quint32(address), 8, 16, QLatin1Char('0'))
        .toUpper();
}

RadioModemSim::RadioModemSim(Settings settings) : settings_(settings) {}

RemoteObject& RadioModemSim::addObject(quint64 address)
{
    RemoteObject& added = objects_[address];
    added.address = address;
    added.networkAddress = quint16(objects_.size());
    return added;
}

RemoteObject* RadioModemSim::object(quint64 address)
{
    auto it = objects_.find(address);
    return it == objects_.end() ? nullptr : &*it;
}

void RadioModemSim::later(int ms, std::function<void()> action)
{
    QTimer::singleShot(ms, this, std::move(action));
}

void RadioModemSim::receive(const QByteArray& bytes)
{
    input_ += bytes;
    for (;;) {
        const qsizetype start = input_.indexOf(kDelimiter);
        if (start < 0) {
            input_.clear();
            return;
        }
        input_.remove(0, start);
        if (input_.size() < kHeader)
            return;
        const int length = int(Get(input_, 1, 2));
        if (length == 0) {
            ++badFrames_;
            emit event(QStringLiteral("BAD-FRAME %1").arg(Hex(input_.left(kHeader))));
            input_.remove(0, 1);
            continue;
        }
        if (input_.size() < kHeader + length + 1)
            return;
        const QByteArray raw = input_.left(kHeader + length + 1);
        input_.remove(0, raw.size());
        // The frame data and the checksum add up to 0xFF in their low byte.
        quint8 total = 0;
        for (qsizetype i = kHeader; i < raw.size(); ++i)
            total = quint8(total + quint8(raw[i]));
        if (total != kChecksumTotal) {
            ++badFrames_;
            emit event(QStringLiteral("BAD-FRAME %1").arg(Hex(raw)));
            continue;
        }
        handleFrame(raw.mid(kHeader, length), raw);
    }
}

void RadioModemSim::handleFrame(const QByteArray& data, const QByteArray& raw)
{
    if (silent_) {
        emit event(QStringLiteral("IGNORED %1").arg(Hex(raw)));
        return;
    }
    switch (quint8(data[0])) {
    case kAtCommand:
        answerAtCommand(data, raw);
        break;
    case kTransmitRequest:
        handleTransmit(data, raw);
        break;
    default:
        emit event(QStringLiteral("FRAME %1").arg(Hex(raw)));
        break;
    }
}

void RadioModemSim::answerAtCommand(const QByteArray& data, const QByteArray& raw)
{
    if (data.size() < 4) {
        emit event(QStringLiteral("FRAME %1").arg(Hex(raw)));
        return;
    }
    const quint8 id = quint8(data[1]);
    const QByteArray command = data.mid(2, 2);
    emit event(QStringLiteral("AT %1 FRAME %2").arg(QString::fromLatin1(command), Hex(raw)));
    if (id == 0)
        return; // no answer asked for
    QByteArray answer;
    answer.append(char(kAtResponse));
    answer.append(char(id));
    answer.append(command);
    if (command == "AI") {
        answer.append(char(kAtOk));
        answer.append(char(kJoined));
    } else if (command == "SH" || command == "SL") {
        answer.append(char(kAtOk));
        Put(answer, command == "SH" ? settings_.ownAddress >> 32 : settings_.ownAddress & 0xFFFFFFFFULL, 4);
    } else {
        answer.append(char(kAtInvalidCommand));
    }
    sendFrame(answer);
}

void RadioModemSim::handleTransmit(const QByteArray& data, const QByteArray& raw)
{
    if (data.size() < kTransmitHeader) {
        emit event(QStringLiteral("FRAME %1").arg(Hex(raw)));
        return;
    }
    const quint8 id = quint8(data[1]);
    const quint64 destination = Get(data, 2, 8);
    const QByteArray payload = data.mid(kTransmitHeader);
    if (swallow_ > 0) {
        --swallow_;
        emit event(QStringLiteral("SWALLOWED %1 FRAME %2").arg(RadioAddressText(destination), Hex(raw)));
        return;
    }
    RemoteObject* target = object(destination);
    const quint8 status = !target ? kAddressNotFound : target->reachable ? kDelivered : kNetworkAckFailure;
    if (status == kDelivered)
        deliver(*target, payload, Hex(raw));
    else
        emit event(QStringLiteral("UNDELIVERED %1 %2 FRAME %3").arg(RadioAddressText(destination), Hex(payload), Hex(raw)));
    QByteArray answer;
    answer.append(char(kTransmitStatus));
    answer.append(char(id));
    Put(answer, target ? target->networkAddress : kUnknownNetworkAddress, 2);
    answer.append(char(status == kDelivered ? 0 : kFailedRetries));
    answer.append(char(status));
    answer.append(char(0)); // no route discovery
    later(settings_.statusDelayMs, [this, answer] { sendFrame(answer); });
}

void RadioModemSim::deliver(RemoteObject& target, const QByteArray& payload, const QString& frameHex)
{
    const QString address = RadioAddressText(target.address);
    const char kind = payload.isEmpty() ? '\0' : payload[0];
    const QString rest = Hex(payload.mid(1));
    if (kind == 'P' && payload.size() == 1) {
        emit event(QStringLiteral("POLL %1 FRAME %2").arg(address, frameHex));
        const quint64 from = target.address;
        later(settings_.statusDelayMs + settings_.reportDelayMs, [this, from] { sendReport(from); });
    } else if (kind == 'C') {
        emit event(QStringLiteral("COMMAND %1 %2 FRAME %3").arg(address, rest, frameHex));
    } else if (kind == 'S') {
        emit event(QStringLiteral("SETTINGS %1 %2 FRAME %3").arg(address, rest, frameHex));
    } else {
        emit event(QStringLiteral("TRANSMIT %1 %2 FRAME %3").arg(address, Hex(payload), frameHex));
    }
}

bool RadioModemSim::sendReport(quint64 address, std::optional<QByteArray> packet)
{
    RemoteObject* from = object(address);
    if (!from || silent_)
        return false;
    if (!packet) {
        if (from->packets.isEmpty())
            return false;
        // A controller's report has a fixed size: a shorter packet of the list is padded.
        packet = from->packets.at(from->nextPacket % from->packets.size()).leftJustified(kReportSize, '\0');
        from->nextPacket = (from->nextPacket + 1) % from->packets.size();
    }
    const int size = int(packet->size());
    const int count = std::max(1, (size + settings_.partSize - 1) / settings_.partSize);
    for (int i = 0; i < count; ++i)
        sendPart(address, i + 1, count, packet->mid(qsizetype(i) * settings_.partSize, settings_.partSize));
    emit event(QStringLiteral("REPORT %1 %2 %3").arg(RadioAddressText(address)).arg(count).arg(Hex(*packet)));
    return true;
}

void RadioModemSim::sendPart(quint64 address, int number, int count, const QByteArray& bytes)
{
    const RemoteObject* from = object(address);
    QByteArray data;
    data.append(char(kReceivePacket));
    Put(data, address, 8);
    Put(data, from ? from->networkAddress : kUnknownNetworkAddress, 2);
    data.append(char(kPacketAcknowledged));
    data.append('R');
    data.append(char(number));
    data.append(char(count));
    data.append(bytes);
    sendFrame(data);
}

void RadioModemSim::sendFrame(const QByteArray& data)
{
    quint8 sum = 0;
    for (char byte : data)
        sum = quint8(sum + quint8(byte));
    QByteArray frame(1, kDelimiter);
    Put(frame, quint64(data.size()), 2);
    frame.append(data);
    frame.append(char(kChecksumTotal - sum));
    emit output(frame);
}

QString RadioModemSim::statusText() const
{
    QStringList parts{QStringLiteral("STATUS modem %1").arg(silent_ ? QStringLiteral("silent") : QStringLiteral("answers")),
                      QStringLiteral("bad-frames %1").arg(badFrames_)};
    for (const RemoteObject& remote : objects_) {
        parts << QStringLiteral("object %1 %2 packets %3")
                     .arg(RadioAddressText(remote.address),
                          remote.reachable ? QStringLiteral("reachable") : QStringLiteral("unreachable"))
                     .arg(remote.packets.size());
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace kvt::sim
