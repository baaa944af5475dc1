// kvt-tool instance-objects: fills the store of an instance folder with objects and their stored
// packets from a manifest (used to make the demo instance).
#include "Command.h"
#include "DemoSeries.h"

#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "common/Clock.h"
#include "store/ChannelAddresses.h"
#include "store/DataAlias.h"
#include "store/Registry.h"

#include <QDir>
#include <QFile>

namespace {

// Manifest lines (UTF-8): "object NAME|FORM PATH|PHONE" starts an object; each following
// "packet STAMP|HEX" is stored in its history in order, the last one being its latest state;
// "series ..." stores a long varying history up to now (see DemoSeries.h); "radio DH|DL" and
// "rs485 ADR" give the object its addresses on the radio and RS-485 links (ZigBee.ini,
// RS485.ini). "#" starts a comment.
int fillInstance(const QStringList& args, kvt::tool::Streams& io)
{
    if (args.size() != 2) {
        io.err << "usage: kvt-tool instance-objects DIR MANIFEST\n";
        return 2;
    }
    QFile manifest(args[1]);
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text)) {
        io.err << "cannot read " << args[1] << "\n";
        return 1;
    }
    const QString home = QDir(args[0]).absolutePath() + QLatin1Char('/');
    QDir(home).mkpath(kvt::registry::kDataFolder);
    try {
        kvt::registry::CreateDataAlias(home, kvt::registry::kDataFolder, kvt::registry::kDataAlias);
        const kvt::SystemClock clock;
        kvt::registry::Registry registry(clock);
        registry.open();
        kvt::registry::ChannelAddresses addresses(home);
        int objects = 0;
        int packets = 0;
        const QStringList lines = QString::fromUtf8(manifest.readAll()).split(QLatin1Char('\n'));
        for (const QString& raw : lines) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QString body = line.section(QLatin1Char(' '), 1);
            const QStringList fields = body.split(QLatin1Char('|'));
            if (line.startsWith(QLatin1String("object ")) && fields.size() == 3) {
                kvt::registry::ObjectTable& table = registry.objects();
                kvt::registry::ObjectRecord record;
                record.Kod_O = table.NextFreeCode();
                record.Name_O = fields[0];
                record.Adres_O = fields[1];
                record.Phone_O = fields[2];
                record.Time_Ring = QStringLiteral("00.00.00  00:00");
                record.Date_SMS = record.Time_Ring;
                record.Proverca_S = QStringLiteral("0");
                table.append(record);
                ++objects;
            } else if (line.startsWith(QLatin1String("packet ")) && fields.size() == 2 && objects > 0) {
                registry.StoreStatePacket(fields[1], fields[0]);
                ++packets;
            } else if (const auto series = line.startsWith(QLatin1String("series ")) && objects > 0
                                               ? kvt::tool::ReadDemoSeries(body)
                                               : std::nullopt) {
                const auto stored = kvt::tool::DemoSeriesPackets(*series, clock.now());
                for (const auto& [stamp, packet] : stored)
                    registry.StoreStatePacket(packet, stamp);
                packets += int(stored.size());
            } else if (line.startsWith(QLatin1String("radio ")) && fields.size() == 2 && objects > 0) {
                addresses.WriteRadioAddress(QString::number(registry.objects().currentRow().Kod_O), fields[0], fields[1]);
            } else if (line.startsWith(QLatin1String("rs485 ")) && fields.size() == 1 && objects > 0) {
                addresses.WriteRs485Address(QString::number(registry.objects().currentRow().Kod_O), fields[0]);
            } else {
                io.err << "cannot read the manifest line: " << line << "\n";
                return 1;
            }
        }
        io.out << objects << " objects, " << packets << " stored packets in " << home << "\n";
    } catch (...) {
        io.err << kvt::GlobalErrorHandler::textOf(std::current_exception()) << "\n";
        return 1;
    }
    return 0;
}

} // namespace

KVT_TOOL_COMMAND(QStringLiteral("instance-objects"), QStringLiteral("DIR MANIFEST"),
                 QStringLiteral("adds the objects and stored packets of a manifest to the store of an instance folder"),
                 fillInstance)
