#include "gsm/KeepAliveCycle.h"

#include "common/EventSink.h"
#include "gsm/AtExchange.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/ModemConnection.h"
#include "gsm/ModemEngineState.h"
#include "gsm/ModemInterface.h"
#include "serial/LinkIndicators.h"

namespace kvt::gsm {

namespace {
// The step after which the event list's size is checked.
constexpr quint8 kIndicationsStep = 4;
} // namespace

const QString KeepAliveCycle::kModemSilentTitle = QStringLiteral("GSM Модем не отвечает");
const QString KeepAliveCycle::kModemBackTitle = QStringLiteral("Связь с GSM модемом востановлена");
const QString KeepAliveCycle::kAutomaticArchiveTitle = QStringLiteral("Автоматическая отчистка журнала событий");

void KeepAliveCycle::ATTimerTimer()
{
    if (parts_.view.addObjectWindowShowing() || !parts_.exchange.portOpen())
        return;
    parts_.exchange.guarded([&] {
        if (parts_.state.modemAnswered != 0)
            answeredTick();
        else
            silentTick();
    });
}

// The rotation: 1 registration, 2 signal quality, 3 echo off, 4 new-message indications,
// 5 the message storage (its answer tells how many messages wait in the modem's memory).
QString KeepAliveCycle::nextRotationCommand()
{
    ModemEngineState& state = parts_.state;
    const quint8 step = state.keepAliveStep;
    state.keepAliveStep = step >= ModemEngineState::kLastKeepAliveStep ? ModemEngineState::kFirstKeepAliveStep
                                                                        : quint8(step + 1);
    switch (step) {
    case 2: return modem::kSignalQualityQuery;
    case 3: return modem::kEchoOff;
    case 4: return modem::kNewMessageIndications;
    case 5: return modem::PreferredStorageCommand(parts_.settings.smsMemory());
    default: return modem::kRegistrationQuery;
    }
}

void KeepAliveCycle::answeredTick()
{
    ModemEngineState& state = parts_.state;
    if (state.silenceReported) {
        // Remembered here, not read back from the status line: whatever was logged meanwhile,
        // the recovery is logged once. The modem may have been switched off and on: PDU mode
        // is set again before the rotation goes on.
        parts_.log.LogEvent(kModemBackTitle, QString(), EventColour::Yellow);
        state.silenceReported = false;
        parts_.connection.EnsurePduMode();
    }
    const quint8 step = state.keepAliveStep;
    parts_.exchange.write(nextRotationCommand());
    if (step == kIndicationsStep && parts_.eventLog.eventLineCount() > kLongestEventList)
        parts_.eventLog.ArchiveEventLog(kAutomaticArchiveTitle);
    state.modemAnswered = 0;
    parts_.indicators.setOn(LinkLamp::GsmModem, true);
    state.noAnswerCount = 0;
    state.modemLost = false;
}

void KeepAliveCycle::silentTick()
{
    ModemEngineState& state = parts_.state;
    parts_.exchange.write(modem::kRegistrationQuery);
    ++state.noAnswerCount; // wraps from 255 to 0
    parts_.indicators.setOn(LinkLamp::GsmModem, false);
    if (state.noAnswerCount <= kSilentTicksAllowed)
        return;
    parts_.indicators.setOn(LinkLamp::GsmNetwork, false);
    parts_.indicators.setSignalPercent(LinkIndicators::kSignalMin);
    if (!state.silenceReported) {
        parts_.log.LogEvent(kModemSilentTitle, QString(), EventColour::Red);
        state.silenceReported = true;
    }
    state.modemLost = true;
}

} // namespace kvt::gsm
