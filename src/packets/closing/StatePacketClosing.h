#pragma once

#include "packets/closing/BookWriter.h"
#include "packets/closing/NotificationSettings.h"
#include "packets/closing/PacketEventLog.h"
#include "packets/closing/PacketMessaging.h"

#include <QString>

namespace kvt {

class AlarmMarking;
class Clock;
class MainTimers;
class NotificationModem;
struct StatePacketResult;

// The closing steps of a fully processed state packet, run after every control has been
// decoded: the record in the month's state archive, the summary forwarded to the higher
// dispatch point, and on alarm the record in the month's alarm book, the alarm mark on the
// object, the alarm sound and the subscribers' notifications.
//
// Each step stands on its own: a step that fails (a book that cannot be written, a modem port
// that has gone) goes once to the global error handler, and the steps after it still run, so a
// file error never costs an alarm its mark or its notifications. A line the event log cannot
// take does not stop a step either (PacketEventLog).
class StatePacketClosing {
public:
    // `programDirectory` ends with '/'.
    StatePacketClosing(const QString& programDirectory, const Clock& clock, EventSink& log, MainTimers& timers,
                       AlarmMarking& marking, NotificationModem& modem);

    void Run(const StatePacketResult& packet, const NotificationSettings& settings);

private:
    void markAlarm();
    void notifySubscribers(const StatePacketResult& packet, const NotificationSettings& settings);

    MonthlyBookWriter books_;
    PacketEventLog log_;
    MainTimers& timers_;
    AlarmMarking& marking_;
    PacketMessaging messaging_;
};

} // namespace kvt
