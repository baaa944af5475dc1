#pragma once

#include "app/LinksStoreAdapter.h"
#include "app/MainWindowTimers.h"
#include "common/SupervisionPause.h"
#include "forms/CurrentObject.h"
#include "gsm/GsmModemController.h"
#include "gsm/ModemEngineState.h"
#include "journals/EventLog.h"
#include "links/LinksController.h"
#include "store/ChannelAddresses.h"
#include "store/Registry.h"
#include "serial/LinkIndicators.h"
#include "serial/LinkPorts.h"
#include "settings/AlertSounds.h"
#include "settings/LinkConnections.h"
#include "settings/Settings.h"
#include "packets/ApplyStatePacket.h"

#include <QString>

namespace kvt {

class Clock;
class OperatorNotices;
class SoundPlayer;

// The console's state that lives as long as the program, apart from the windows: the event
// log, the store of objects and packets with the channel address files, the settings, the
// three link ports with the lamps of the link panel and their connection state, the modem
// engine's flags, the supervision pause flag, the sounds, the six timers of the main window,
// the current object and the decoder that draws packets on its form; and the controllers of the
// GSM modem and of the radio and RS-485 links, each wired here once with what it works with.
struct ConsoleCore {
    ConsoleCore(QString programDirectory, Clock& clock, SoundPlayer& player, OperatorNotices& notices,
                std::unique_ptr<LinkPorts> ports = nullptr);

    QString programDirectory;
    Clock& clock;
    EventLog log;
    registry::Registry registry;
    registry::ChannelAddresses addresses;
    Settings settings;
    LinkConnections connections;
    std::unique_ptr<LinkPorts> ports;
    LinkIndicators indicators;
    ModemEngineState modem;
    SupervisionPause supervisionPause;
    AlertSounds sounds;
    MainWindowTimers timers;
    CurrentObject currentObject;
    StatePacketDecoder decoder;
    // The objects table as the radio and RS-485 links read it.
    LinksStoreAdapter linkStore;
    GsmModemController gsm;
    LinksController links;
};

// The folders the console writes into (the data store, the event log archives and the
// monthly books); made at start-up when missing, so that nothing stops silently later.
inline const QStringList kInstanceFolders = {QStringLiteral("Data"), QStringLiteral("Reports"),
                                             QStringLiteral("SmsBook"), QStringLiteral("AvariBook")};
// Makes the missing ones; returns the folders that could not be made.
QStringList EnsureInstanceFolders(const QString& programDirectory);

} // namespace kvt
