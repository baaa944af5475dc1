#pragma once

#include "common/SupervisionPause.h"
#include "gsm/ModemEngineState.h"
#include "journals/EventLog.h"
#include "objects/Registry.h"
#include "serial/LinkIndicators.h"
#include "serial/LinkPorts.h"

#include <QString>

namespace kvt {

class Clock;

// The console's state that lives as long as the program, apart from the windows: the event
// log, the store of objects and packets, the three link ports with the lamps of the link panel,
// the modem engine's flags and the supervision pause flag.
struct ConsoleCore {
    ConsoleCore(QString programDirectory, Clock& clock, std::unique_ptr<LinkPorts> ports = nullptr);

    QString programDirectory;
    Clock& clock;
    EventLog log;
    registry::Registry registry;
    std::unique_ptr<LinkPorts> ports;
    LinkIndicators indicators;
    ModemEngineState modem;
    SupervisionPause supervisionPause;
};

// The folders the console writes into (the data store, the event log archives and the
// monthly books); made at start-up when missing, so that nothing stops silently later.
inline const QStringList kInstanceFolders = {QStringLiteral("Data"), QStringLiteral("Reports"),
                                             QStringLiteral("SmsBook"), QStringLiteral("AvariBook")};
// Makes the missing ones; returns the folders that could not be made.
QStringList EnsureInstanceFolders(const QString& programDirectory);

} // namespace kvt
