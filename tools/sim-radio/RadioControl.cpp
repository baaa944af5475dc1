#include "RadioControl.h"

#include "RadioModemSim.h"
#include "SimulatorShell.h"

#include <QRegularExpression>

namespace kvt::sim {

RadioControl::RadioControl(RadioModemSim& modem, QObject* parent) : QObject(parent), modem_(modem) {}

QString RadioControl::run(const QString& rawLine)
{
    const QString line = rawLine.trimmed();
    const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty() || words[0].startsWith(QLatin1Char('#')))
        return {};
    emit note(line);
    const QString& verb = words[0];
    const QString ok = QStringLiteral("OK ") + verb;
    const auto address = ParseRadioAddress(words.value(1));
    const bool needsObject = verb == QLatin1String("packet") || verb == QLatin1String("send")
                             || verb == QLatin1String("part") || verb == QLatin1String("unreachable")
                             || verb == QLatin1String("reachable");
    if ((needsObject || verb == QLatin1String("object")) && !address)
        return QStringLiteral("ERROR bad address");
    if (needsObject && !modem_.object(*address))
        return QStringLiteral("ERROR no such object");

    if (verb == QLatin1String("object")) {
        RemoteObject& added = modem_.addObject(*address);
        if (words.size() > 2) {
            QList<QByteArray> packets;
            if (const QString error = LoadPackets(words[2], packets); !error.isEmpty())
                return QStringLiteral("ERROR ") + error;
            added.packets = packets;
        }
        return ok;
    }
    if (verb == QLatin1String("packet")) {
        const auto packet = PacketFromHex(words.value(2));
        if (!packet)
            return QStringLiteral("ERROR bad HEX");
        modem_.object(*address)->packets.append(*packet);
        return ok;
    }
    if (verb == QLatin1String("send")) {
        std::optional<QByteArray> packet;
        if (words.size() > 2 && !(packet = PacketFromHex(words[2])))
            return QStringLiteral("ERROR bad HEX");
        return modem_.sendReport(*address, packet) ? ok : QStringLiteral("ERROR nothing to send");
    }
    if (verb == QLatin1String("part")) {
        bool numberOk = false;
        bool countOk = false;
        const int number = words.value(2).toInt(&numberOk);
        const int count = words.value(3).toInt(&countOk);
        const auto bytes = words.size() > 4 ? PacketFromHex(words[4]) : std::optional<QByteArray>(QByteArray());
        if (!numberOk || !countOk || !bytes)
            return QStringLiteral("ERROR expected part ADDRESS N COUNT HEX");
        modem_.sendPart(*address, number, count, *bytes);
        return ok;
    }
    if (verb == QLatin1String("raw")) {
        const auto bytes = PacketFromHex(words.value(1));
        if (!bytes)
            return QStringLiteral("ERROR bad HEX");
        modem_.sendRaw(*bytes);
        return ok;
    }
    if (verb == QLatin1String("unreachable") || verb == QLatin1String("reachable")) {
        modem_.object(*address)->reachable = verb == QLatin1String("reachable");
        return ok;
    }
    if (verb == QLatin1String("silent") || verb == QLatin1String("back")) {
        modem_.setSilent(verb == QLatin1String("silent"));
        return ok;
    }
    if (verb == QLatin1String("swallow")) {
        modem_.swallowTransmits(words.size() > 1 ? words[1].toInt() : 1);
        return ok;
    }
    if (verb == QLatin1String("status"))
        return modem_.statusText();
    if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return ok;
    }
    return QStringLiteral("ERROR unknown command %1").arg(verb);
}

} // namespace kvt::sim
