#include "app/ConsoleCore.h"

#include <QDir>

namespace kvt {

ConsoleCore::ConsoleCore(QString folder, Clock& clockRef, SoundPlayer& player, OperatorNotices& notices,
                         std::unique_ptr<LinkPorts> linkPorts)
    : programDirectory(std::move(folder)),
      clock(clockRef),
      log(programDirectory, clock),
      registry(clock),
      addresses(programDirectory),
      ports(linkPorts ? std::move(linkPorts) : std::make_unique<LinkPorts>()),
      sounds(settings, &player),
      currentObject(programDirectory, notices),
      decoder(timers),
      linkStore(registry),
      gsm({ports->Port_Modem(), clock, timers, log, modem, indicators, settings, connections, notices}),
      links({ports->Port_ZigBee(), ports->Port_RS485(), clock, timers, log, indicators, supervisionPause, registry,
             addresses, notices, settings, connections, addresses.zigBee(), addresses.rs485(), linkStore,
             linkStore, [this] { return modem.modemLost; }})
{
}

QStringList EnsureInstanceFolders(const QString& programDirectory)
{
    QStringList failed;
    const QDir home(programDirectory);
    for (const QString& folder : kInstanceFolders) {
        if (!home.mkpath(folder))
            failed << home.filePath(folder);
    }
    return failed;
}

} // namespace kvt
