#pragma once

#include <QString>

// What the closing steps of a fully processed packet need from the GSM modem: the forwarded
// summary, the alarm reports and the alarm calls. The modem engine implements it with its own
// dialogues (each stops and restarts the modem timers around its exchange).
namespace kvt {
enum class SubscriberCallOutcome { Answered, NotAnswered, Busy, Refused, Failed };
class NotificationModem {
public:
    virtual ~NotificationModem() = default;
    // 8-bit SMS whose user data are the bytes of the text; true when the modem accepted it.
    virtual bool SendOctetTextSms(const QString& text, const QString& phone) = 0;
    // 7-bit SMS of the text; true when the modem accepted it.
    virtual bool SendTextSms(const QString& text, const QString& phone) = 0;
    // "AT\r\n" to the modem port, 200 ms wait, read up to 20 characters and discard them.
    virtual void ResetAfterFailedSms() = 0;
    // Dials one subscriber, waits until the call is answered, busy, refused or has rung 30 s, hangs up.
    virtual SubscriberCallOutcome CallSubscriber(const QString& phone) = 0;
};
}
