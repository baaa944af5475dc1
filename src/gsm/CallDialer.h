#pragma once

#include "packets/NotificationModem.h"

#include <QString>

namespace kvt::gsm {

class AtExchange;

using kvt::SubscriberCallOutcome;

// Voice calls from the console's modem: the poll of an object by call (the object answers a call
// that it picks up with a state SMS) and the alarm call to a subscriber. Each call is one
// dialogue; a call started while the modem port is closed fails at once and leaves the timers
// as they were.
class CallDialer {
public:
    explicit CallDialer(AtExchange& exchange) : exchange_(exchange) {}

    // Calls the object's modem and watches the call state; true when the object picked up.
    bool DialObject(const QString& phone);
    // Calls the subscriber and watches the call until it is answered, busy, refused or has rung
    // for kSubscriberRingMs; hangs up in every case.
    SubscriberCallOutcome CallSubscriber(const QString& phone);

    static constexpr int kSubscriberRingMs = 30000;

private:
    enum class DialAck { Ok, Refused, Busy, NoAnswer, None };
    // Writes the dial command and reads its acknowledgement, up to 130 reads 100 ms apart.
    DialAck dial(const QString& phone);
    // One "AT+CLCC" reading: the command, 500 ms, up to 250 bytes.
    QString callReading();
    // Readings of an acknowledged call to a subscriber until it ends one way or another.
    SubscriberCallOutcome watchSubscriberCall();

    AtExchange& exchange_;
};

} // namespace kvt::gsm
