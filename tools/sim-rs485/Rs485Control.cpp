#include "Rs485Control.h"

#include "ModbusBusSim.h"
#include "SimulatorShell.h"

#include <QRegularExpression>

namespace kvt::sim {

namespace {

constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 247;
constexpr int kSlaveDeviceFailure = 4;

std::optional<int> SlaveAddress(const QString& text)
{
    bool ok = false;
    const int address = text.toInt(&ok);
    if (!ok || address < kFirstAddress || address > kLastAddress)
        return std::nullopt;
    return address;
}

int CountOr(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

Rs485Control::Rs485Control(ModbusBusSim& bus, QObject* parent) : QObject(parent), bus_(bus) {}

QString Rs485Control::run(const QString& rawLine)
{
    const QString line = rawLine.trimmed();
    const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty() || words[0].startsWith(QLatin1Char('#')))
        return {};
    emit note(line);
    const QString& verb = words[0];
    const QString ok = QStringLiteral("OK ") + verb;
    if (verb == QLatin1String("status"))
        return bus_.statusText();
    if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return ok;
    }
    const auto address = SlaveAddress(words.value(1));
    if (!address)
        return words.size() > 1 || verb == QLatin1String("slave") ? QStringLiteral("ERROR bad address")
                                                                   : QStringLiteral("ERROR unknown command %1").arg(verb);
    if (verb == QLatin1String("slave")) {
        ModbusSlave& added = bus_.addSlave(*address);
        if (words.size() > 2) {
            QList<QByteArray> packets;
            if (const QString error = LoadPackets(words[2], packets); !error.isEmpty())
                return QStringLiteral("ERROR ") + error;
            added.packets = packets;
        }
        return ok;
    }
    ModbusSlave* target = bus_.slave(*address);
    if (!target)
        return QStringLiteral("ERROR no such slave");
    if (verb == QLatin1String("packet")) {
        const auto packet = PacketFromHex(words.value(2));
        if (!packet)
            return QStringLiteral("ERROR bad HEX");
        target->packets.append(*packet);
        return ok;
    }
    if (verb == QLatin1String("unreachable") || verb == QLatin1String("reachable")) {
        target->reachable = verb == QLatin1String("reachable");
        return ok;
    }
    if (verb == QLatin1String("crc-error")) {
        target->crcErrors = CountOr(words.value(2), 1);
        return ok;
    }
    if (verb == QLatin1String("exception")) {
        target->exceptionCode = CountOr(words.value(2), kSlaveDeviceFailure);
        target->exceptions = CountOr(words.value(3), 1);
        return ok;
    }
    return QStringLiteral("ERROR unknown command %1").arg(verb);
}

} // namespace kvt::sim
