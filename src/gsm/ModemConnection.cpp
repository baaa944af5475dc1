#include "gsm/ModemConnection.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "common/MainTimers.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"
#include "serial/LinkIndicators.h"

namespace kvt {

const QString ModemConnection::kDisconnectedTitle = QStringLiteral("Оператором отключена связь с GSM модемом");
const QString ModemConnection::kPduModeRefusedTitle = QStringLiteral("GSM модем не перешёл в режим PDU");
const QString ModemConnection::kPduModeNoAnswerTitle =
    QStringLiteral("GSM модем не ответил на команду перехода в режим PDU");

ModemConnection::ModemConnection(Parts parts)
    : parts_(parts), exchange_(parts.port, parts.clock, parts.timers, parts.state.dialogue)
{
}

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
    parts_.indicators.setOn(LinkLamp::GsmModem, false);
    parts_.indicators.setOn(LinkLamp::GsmNetwork, false);
    parts_.indicators.setSignalPercent(LinkIndicators::kSignalMin);
    parts_.log.LogEvent(kDisconnectedTitle, QString(), EventColour::White);
}

PduModeResult ModemConnection::EnsurePduMode()
{
    const gsm::ReadPlan plan{kReplyReads, kReadIntervalMs, kReadCount};
    QString set;
    QString report;
    exchange_.dialogue(gsm::restart::kSenders, [&] {
        exchange_.write(modem::kCancelMessageInput);
        exchange_.wait(kSettleMs);
        exchange_.purge();
        set = exchange_.command(modem::kPduMode, plan);
        if (modem::LastFinalResult(set) != modem::FinalResult::Error)
            report = exchange_.command(modem::kMessageFormatQuery, plan);
        // Nothing of these replies is meant for the receive dispatcher.
        exchange_.purge();
    });

    PduModeResult result = PduModeResult::Refused;
    if (report.contains(modem::kPduModeReport))
        result = PduModeResult::Confirmed;
    else if (set.isEmpty() && report.isEmpty())
        result = PduModeResult::NoAnswer;

    if (result == PduModeResult::Refused)
        parts_.log.LogEvent(kPduModeRefusedTitle, parts_.port.settings().device, EventColour::Red);
    else if (result == PduModeResult::NoAnswer)
        parts_.log.LogEvent(kPduModeNoAnswerTitle, parts_.port.settings().device, EventColour::Red);
    return result;
}

} // namespace kvt
