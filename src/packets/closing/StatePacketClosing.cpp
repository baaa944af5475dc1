#include "packets/closing/StatePacketClosing.h"

#include "common/ErrorHandler.h"
#include "common/MainTimers.h"
#include "common/StatusIcon.h"
#include "packets/StateSummaries.h"
#include "packets/closing/AlarmMarking.h"
#include "packets/closing/SmsTexts.h"

namespace kvt {

StatePacketClosing::StatePacketClosing(const QString& programDirectory, const Clock& clock, EventSink& log,
                                       MainTimers& timers, AlarmMarking& marking, NotificationModem& modem)
    : books_(programDirectory, clock), log_(log), timers_(timers), marking_(marking), messaging_(modem, log_)
{
}

void StatePacketClosing::Run(const StatePacketResult& packet, const NotificationSettings& settings)
{
    log_.beginPacket();
    Guarded([&] { books_.append(MonthlyBook::States, packet); });

    if (settings.forwardActive)
        Guarded([&] { messaging_.forwardToDispatchPoint(SmsReadyText(ForwardText(packet)), settings.forwardPhone); });

    if (!packet.summaries.alarm())
        return;

    Guarded([&] { books_.append(MonthlyBook::Alarms, packet); });
    Guarded([&] { markAlarm(); });
    if (settings.alarmsActive)
        notifySubscribers(packet, settings);
}

void StatePacketClosing::markAlarm()
{
    constexpr int kAlarmIcon = static_cast<int>(StatusIcon::Alarm);
    marking_.setSelectedIcon(kAlarmIcon);
    marking_.setHistoryRootIcon(kAlarmIcon);
    timers_.start(MainTimer::Timer_Avari_Snd);
    log_.LogEvent(QStringLiteral("Получены аварийные данные от объекта "), marking_.selectedText(), EventColour::Red);
}

void StatePacketClosing::notifySubscribers(const StatePacketResult& packet, const NotificationSettings& settings)
{
    const QString report = SmsReadyText(AlarmSmsText(packet));
    // One subscriber's failure (a modem port gone) is reported on its own and the next
    // subscriber is still notified.
    for (const QString& subscriber : settings.subscribers) {
        Guarded([&] {
            if (settings.alarmMethod == AlarmNotificationMethod::Call)
                messaging_.callSubscriber(subscriber);
            else
                messaging_.sendAlarmReport(report, subscriber, settings.alarmSmsAttempts);
        });
    }
}

} // namespace kvt
