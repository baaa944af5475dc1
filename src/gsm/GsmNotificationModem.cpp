#include "gsm/GsmNotificationModem.h"

#include "gsm/CallDialer.h"
#include "gsm/SmsSender.h"

namespace kvt::gsm {

bool GsmNotificationModem::SendOctetTextSms(const QString& text, const QString& phone)
{
    return sms_.SendOctetTextSms(text, phone);
}

bool GsmNotificationModem::SendTextSms(const QString& text, const QString& phone)
{
    return sms_.SendTextSms(text, phone);
}

void GsmNotificationModem::ResetAfterFailedSms()
{
    sms_.ResetAfterFailedSms();
}

SubscriberCallOutcome GsmNotificationModem::CallSubscriber(const QString& phone)
{
    return calls_.CallSubscriber(phone);
}

} // namespace kvt::gsm
