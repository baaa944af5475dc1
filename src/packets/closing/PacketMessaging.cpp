#include "packets/closing/PacketMessaging.h"

#include "common/EventSink.h"
#include "packets/NotificationModem.h"

namespace kvt {

namespace {
constexpr int kForwardAttempts = 3;
} // namespace

const QString PacketMessaging::kCallAnsweredTitle = QStringLiteral("Аварийное уведомление принято абонентом");
const QString PacketMessaging::kCallNotAnsweredTitle = QStringLiteral("Аварийное уведомление не принято абонентом");

PacketMessaging::PacketMessaging(NotificationModem& modem, EventSink& log) : modem_(modem), log_(log)
{
}

template <typename Send>
bool PacketMessaging::sendWithAttempts(int attempts, const AttemptTitles& titles, const QString& phone, Send send)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        log_.LogEvent(titles.started, phone, EventColour::Green);
        if (send()) {
            log_.LogEvent(titles.sent, phone, EventColour::Yellow);
            return true;
        }
        log_.LogEvent(titles.failed, phone, EventColour::Red);
        // A refused message can leave the modem inside the submit dialogue.
        modem_.ResetAfterFailedSms();
    }
    return false;
}

bool PacketMessaging::forwardToDispatchPoint(const QString& text, const QString& dispatchPhone)
{
    static const AttemptTitles titles{QStringLiteral("Отправка данных в ЦДП "), QStringLiteral("Данные переданы в ДП"),
                                      QStringLiteral("Отправка данных в ЦДП не удалась")};
    return sendWithAttempts(kForwardAttempts, titles, dispatchPhone,
                            [&] { return modem_.SendOctetTextSms(text, dispatchPhone); });
}

bool PacketMessaging::sendAlarmReport(const QString& text, const QString& subscriber, int attempts)
{
    static const AttemptTitles titles{QStringLiteral("Отправка аварийного SMS-отчета на номер"),
                                      QStringLiteral("Отправлен отчет по GSM каналу об аварии на номер"),
                                      QStringLiteral("Отправка отчета не удалась")};
    return sendWithAttempts(attempts, titles, subscriber, [&] { return modem_.SendTextSms(text, subscriber); });
}

bool PacketMessaging::callSubscriber(const QString& subscriber)
{
    log_.LogEvent(QStringLiteral("Отправка аварийного уведомления в виде звонка на номер"), subscriber, EventColour::Green);
    const bool answered = modem_.CallSubscriber(subscriber) == SubscriberCallOutcome::Answered;
    if (answered)
        log_.LogEvent(kCallAnsweredTitle, subscriber, EventColour::Yellow);
    else
        log_.LogEvent(kCallNotAnsweredTitle, subscriber, EventColour::Red);
    return answered;
}

} // namespace kvt
