#pragma once

#include <QString>

namespace kvt {

class EventSink;
class NotificationModem;

// The messages a fully processed packet sends through the GSM modem, each logged as it starts
// and with its outcome: the summary forwarded to the higher dispatch point, the alarm reports
// by SMS and the alarm calls. Texts are handed over ready to send (SmsReadyText).
class PacketMessaging {
public:
    PacketMessaging(NotificationModem& modem, EventSink& log);

    // Up to three attempts to forward `text` to the dispatch point; true when one was accepted.
    bool forwardToDispatchPoint(const QString& text, const QString& dispatchPhone);

    // Up to `attempts` attempts to send the alarm report to a subscriber; 0 or less sends and
    // logs nothing. True when one was accepted.
    bool sendAlarmReport(const QString& text, const QString& subscriber, int attempts);

    // Calls a subscriber and waits for the call to end; true when the call was answered.
    bool callSubscriber(const QString& subscriber);

    // Titles of the alarm call's outcome, in yellow and red.
    static const QString kCallAnsweredTitle;
    static const QString kCallNotAnsweredTitle;

private:
    struct AttemptTitles {
        QString started;
        QString sent;
        QString failed;
    };
    template <typename Send>
    bool sendWithAttempts(int attempts, const AttemptTitles& titles, const QString& phone, Send send);

    NotificationModem& modem_;
    EventSink& log_;
};

} // namespace kvt
