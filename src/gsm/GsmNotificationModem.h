#pragma once

#include "packets/NotificationModem.h"

namespace kvt::gsm {

class CallDialer;
class SmsSender;

// The closing steps of a packet (forwarding, alarm reports, alarm calls) sent through the GSM
// engine's own senders and dialer: each operation is a dialogue of its own, which stops and
// restarts the modem timers, or nests inside the dialogue that received the packet.
class GsmNotificationModem final : public NotificationModem {
public:
    GsmNotificationModem(SmsSender& sms, CallDialer& calls) : sms_(sms), calls_(calls) {}

    bool SendOctetTextSms(const QString& text, const QString& phone) override;
    bool SendTextSms(const QString& text, const QString& phone) override;
    void ResetAfterFailedSms() override;
    SubscriberCallOutcome CallSubscriber(const QString& phone) override;

private:
    SmsSender& sms_;
    CallDialer& calls_;
};

} // namespace kvt::gsm
