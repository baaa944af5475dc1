#pragma once

#include "settings/Settings.h"

#include <QObject>

namespace kvt {
class LinkConnections;
class MainTimers;
} // namespace kvt

namespace kvt::links {

// Link reports are handled on QueryTimer, which the GSM modem's connection starts and stops.
// So that a console without a GSM modem still handles them, QueryTimer runs while the radio or
// the RS-485 link is connected: connecting either starts it when it is not running (also after
// the modem's disconnect has stopped it), and disconnecting the last link of all stops it.
class QueryTimerDemand : public QObject {
    Q_OBJECT
public:
    QueryTimerDemand(LinkConnections& connections, MainTimers& timers, QObject* parent = nullptr);

private:
    void connectionChanged(Link link, bool connected);

    LinkConnections& connections_;
    MainTimers& timers_;
};

} // namespace kvt::links
