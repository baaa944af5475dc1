#include "gsm/ModemConnection.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "common/MainTimers.h"
#include "gsm/ModemInterface.h"
#include "serial/LinkIndicators.h"

namespace kvt {

const QString ModemConnection::kDisconnectedTitle = QStringLiteral("Оператором отключена связь с GSM модемом");
const QString ModemConnection::kPduModeRefusedTitle = QStringLiteral("GSM модем не перешёл в режим PDU");
const QString ModemConnection::kPduModeNoAnswerTitle =
    QStringLiteral("GSM модем не ответил на команду перехода в режим PDU");

PduModeResult ModemConnection::Connect(const PortSettings& settings, const std::function<void()>& afterOpen)
{
    parts_.port.setSettings(settings);
    parts_.port.Open();
    if (afterOpen)
        afterOpen();
    const PduModeResult result = EnsurePduMode();
    parts_.state.keepAliveStep = ModemEngineState::kFirstKeepAliveStep;
    parts_.timers.start(MainTimer::QueryTimer);
    parts_.timers.start(MainTimer::ATTimer);
    return result;
}

void ModemConnection::Disconnect(const std::function<void()>& afterClose)
{
    parts_.timers.stop(MainTimer::ATTimer);
    parts_.timers.stop(MainTimer::QueryTimer);
    parts_.port.Close();
    if (afterClose)
        afterClose();
    parts_.indicators.setOn(LinkLamp::ComLed5, false);
    parts_.indicators.setOn(LinkLamp::ComLed4, false);
    parts_.indicators.setSignalPercent(LinkIndicators::kSignalMin);
    parts_.log.LogEvent(kDisconnectedTitle, QString(), EventColour::White);
}

QString ModemConnection::command(const QString& text)
{
    parts_.port.WriteStr(text);
    QString reply;
    for (int read = 0; read < kReplyReads; ++read) {
        parts_.clock.sleep(kReadIntervalMs);
        reply += parts_.port.ReadStr(kReadCount);
        // The echo of the command (before ATE0) holds neither result code.
        if (reply.contains(modem::kOk) || reply.contains(modem::kError))
            break;
    }
    return reply;
}

PduModeResult ModemConnection::EnsurePduMode()
{
    parts_.port.Purge();
    parts_.clock.sleep(kSettleMs);
    const QString set = command(modem::kPduMode);
    const QString report = set.contains(modem::kError) ? QString() : command(modem::kMessageFormatQuery);
    // Nothing of these replies is meant for the receive dispatcher.
    parts_.port.Purge();

    PduModeResult result = PduModeResult::Refused;
    if (report.contains(modem::kPduModeReport))
        result = PduModeResult::Confirmed;
    else if (!set.contains(modem::kCrLf) && !report.contains(modem::kCrLf))
        result = PduModeResult::NoAnswer;

    if (result == PduModeResult::Refused)
        parts_.log.LogEvent(kPduModeRefusedTitle, parts_.port.settings().device, EventColour::Red);
    else if (result == PduModeResult::NoAnswer)
        parts_.log.LogEvent(kPduModeNoAnswerTitle, parts_.port.settings().device, EventColour::Red);
    return result;
}

} // namespace kvt
