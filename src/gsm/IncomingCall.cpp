#include "gsm/IncomingCall.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "gsm/AtExchange.h"
#include "gsm/CallDialer.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"

namespace kvt::gsm {

namespace {
constexpr int kCallerAttempts = 10;
constexpr int kBeforeCallerQueryMs = 50;
constexpr int kCallerReplyWaitMs = 450;
constexpr int kCallerReadCount = 150;
constexpr int kBeforeAlarmAnswerMs = 1000;
constexpr int kAlarmAnswerHoldMs = 150;
constexpr int kAfterAlarmLogMs = 1000;
constexpr int kBeforeAlarmPollMs = 500;
constexpr int kLinkCheckAnswerHoldMs = 200;
constexpr int kLinkCheckRingMs = 1750;
constexpr int kMinutesPerHour = 60;
constexpr int kSecondsPerMinute = 60;
// A period is shortened by a thirtieth, so that a link-check call a little early still counts.
constexpr double kPeriodTolerance = 30.0;
// Object status icons: new data, alarm, alarm call.
constexpr int kNewDataIcon = 3;
constexpr int kAlarmIcon = 4;
constexpr int kAlarmCallIcon = 7;
const QString kTwoSpaces = QStringLiteral("  ");
const QString kTimeRingDate = QStringLiteral("d.M.yyyy");

// Proverca_S as a number of minutes; a text that is no number means no link-check period.
int LinkCheckPeriod(const QString& text)
{
    bool ok = false;
    const int period = text.trimmed().toInt(&ok);
    return ok ? period : 0;
}
} // namespace

const QString IncomingCall::kAlarmCallTitle = QStringLiteral("Аварийный звонок от объекта");
const QString IncomingCall::kAlarmPollTitle = QStringLiteral("Отправка запроса на получение аварии от объекта ");
const QString IncomingCall::kAlarmPollFailedTitle =
    QStringLiteral("Не удалось отправить запрос на получение аварии от объекта ");
const QString IncomingCall::kAlarmPollDoneTitle =
    QStringLiteral("Был отправлен запрос по GSM каналу на получение аварии от объекта");
const QString IncomingCall::kLinkCheckTitle = QStringLiteral("Проверка связи по GSM каналу с объектом");
const QString IncomingCall::kLinkCheckCaption = QStringLiteral("      Последняя проверка связи (GSM): ");

CallKind JudgeIncomingCall(int period, const QString& timeRing, const QDateTime& now)
{
    if (period == 0)
        return CallKind::Alarm;
    // The minutes stand after the first ":" (up to a next one), the hours between the first two
    // spaces and the next ":".
    const qsizetype colon = timeRing.indexOf(QLatin1Char(':'));
    const qsizetype spaces = timeRing.indexOf(kTwoSpaces);
    const qsizetype hoursAt = spaces + kTwoSpaces.size();
    const qsizetype hoursEnd = spaces < 0 ? -1 : timeRing.indexOf(QLatin1Char(':'), hoursAt);
    const QString minutesText = colon < 0 ? QString() : timeRing.mid(colon + 1).section(QLatin1Char(':'), 0, 0);
    const QString hoursText = hoursEnd < 0 ? QString() : timeRing.mid(hoursAt, hoursEnd - hoursAt);
    bool hoursOk = false;
    bool minutesOk = false;
    const int hours = hoursText.toInt(&hoursOk);
    const int minutes = minutesText.toInt(&minutesOk);
    if (!hoursOk || !minutesOk)
        return CallKind::Unjudged;

    const QDate ringDate = QDate::fromString(timeRing.left(spaces), kTimeRingDate);
    const QTime ringTime(hours, minutes);
    const QDateTime nowMinute(now.date(), QTime(now.time().hour(), now.time().minute()));
    const qint64 d = ringDate.isValid() && ringTime.isValid()
        ? QDateTime(ringDate, ringTime).secsTo(nowMinute) / kSecondsPerMinute
        : qint64(now.time().hour() * kMinutesPerHour + now.time().minute()) - (hours * kMinutesPerHour + minutes);
    return d >= 0 && d < period - period / kPeriodTolerance ? CallKind::Alarm : CallKind::LinkCheck;
}

QString LinkCheckTimeText(const QDateTime& now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    return QStringLiteral("%1.%2.%3  %4:%5")
        .arg(date.day())
        .arg(date.month())
        .arg(date.year())
        .arg(time.hour())
        .arg(time.minute());
}

void IncomingCall::handle()
{
    AtExchange& exchange = parts_.exchange;
    exchange.dialogue(restart::kIncomingCall, [&] {
        // A call rings: a dialogue that ends early rejects it.
        exchange.setCallUp(true);
        const QString caller = askCaller();
        const QString nowText = LinkCheckTimeText(parts_.clock.now());
        const std::optional<ObjectEntry> object =
            caller.isEmpty() ? std::nullopt : parts_.objects.findByPhone(caller);
        if (!object) {
            exchange.write(modem::kHangUp);
            exchange.setCallUp(false);
            return;
        }
        parts_.view.selectObjectNode(object->code);
        const int period = LinkCheckPeriod(object->linkCheckPeriod);
        switch (JudgeIncomingCall(period, object->timeRing, parts_.clock.now())) {
        case CallKind::Alarm: alarmCall(caller, object->name); break;
        case CallKind::LinkCheck: linkCheckCall(object->name); break;
        case CallKind::Unjudged: break;
        }
        exchange.setCallUp(false);
        if (period != 0) {
            parts_.objects.setTimeRing(object->code, nowText);
            parts_.view.showLinkCheckLine(parts_.view.selectedNodeText() + kLinkCheckCaption + nowText);
        }
    });
}

QString IncomingCall::askCaller()
{
    AtExchange& exchange = parts_.exchange;
    for (int attempt = 0; attempt < kCallerAttempts; ++attempt) {
        exchange.purge();
        exchange.wait(kBeforeCallerQueryMs);
        exchange.write(modem::kListCalls);
        exchange.wait(kCallerReplyWaitMs);
        if (const std::optional<QString> caller = modem::IncomingCallerNumber(exchange.readLines(kCallerReadCount)))
            return *caller;
    }
    return {};
}

void IncomingCall::alarmCall(const QString& caller, const QString& name)
{
    AtExchange& exchange = parts_.exchange;
    exchange.wait(kBeforeAlarmAnswerMs);
    exchange.write(modem::kAnswer);
    exchange.wait(kAlarmAnswerHoldMs);
    exchange.write(modem::kHangUp);
    exchange.setCallUp(false);
    exchange.purge();
    parts_.log.LogEvent(kAlarmCallTitle, name, EventColour::Red);
    exchange.wait(kAfterAlarmLogMs);
    const int icon = parts_.view.selectedNodeIcon();
    if (icon != kNewDataIcon && icon != kAlarmIcon)
        parts_.view.showSelectedNodeIcon(kAlarmCallIcon);
    parts_.view.setPollButtonEnabled(false);
    exchange.wait(kBeforeAlarmPollMs);
    parts_.log.LogEvent(kAlarmPollTitle, name, EventColour::Green);
    if (parts_.dialer.DialObject(caller))
        parts_.log.LogEvent(kAlarmPollDoneTitle, name, EventColour::Yellow);
    else
        parts_.log.LogEvent(kAlarmPollFailedTitle, name, EventColour::Red);
    parts_.view.setPollButtonEnabled(true);
}

void IncomingCall::linkCheckCall(const QString& name)
{
    AtExchange& exchange = parts_.exchange;
    if (parts_.settings.answerLinkCheckCalls()) {
        exchange.write(modem::kAnswer);
        exchange.wait(kLinkCheckAnswerHoldMs);
    } else {
        exchange.wait(kLinkCheckRingMs);
    }
    exchange.write(modem::kHangUp);
    exchange.setCallUp(false);
    parts_.log.LogEvent(kLinkCheckTitle, name, EventColour::Yellow);
}

} // namespace kvt::gsm
