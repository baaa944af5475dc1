#include "gsm/ReceiveDispatcher.h"

#include "common/EventSink.h"
#include "gsm/AtExchange.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/IncomingCall.h"
#include "gsm/MessageIntake.h"
#include "gsm/ModemEngineState.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"
#include "serial/LinkIndicators.h"

namespace kvt::gsm {

const QString ReceiveDispatcher::kMissedMessagesTitle = QStringLiteral("Чтение пропущенных сообщений");

void ReceiveDispatcher::QueryTimerTimer()
{
    if (parts_.view.addObjectWindowShowing())
        return;
    parts_.links.radioStep();
    if (!parts_.links.rs485Step())
        return;
    AtExchange& exchange = parts_.exchange;
    if (!exchange.portOpen())
        return;
    QString text;
    if (!exchange.guarded([&] { text = exchange.readLines(kTickReadCount); }) || text.isEmpty())
        return;
    // Something with CR LF came: the modem is alive.
    ++parts_.state.modemAnswered;
    handle(text);
}

void ReceiveDispatcher::handle(const QString& text)
{
    AtExchange& exchange = parts_.exchange;
    const QStringList indexes = modem::NewMessageIndexes(text);
    if (!indexes.isEmpty()) {
        exchange.dialogue(restart::kMessages, [&] {
            for (const QString& index : indexes)
                parts_.messages.take(index, MessageVariant::New);
        });
    }
    if (text.contains(modem::kRing))
        parts_.calls.handle();
    if (const std::optional<bool> registered = modem::RegisteredInNetwork(text))
        parts_.indicators.setOn(LinkLamp::GsmNetwork, *registered);
    if (const std::optional<int> percent = modem::SignalPercent(text))
        parts_.indicators.setSignalPercent(*percent);
    if (const std::optional<int> stored = modem::StoredMessageCount(text))
        readStoredMessage(*stored);
}

void ReceiveDispatcher::readStoredMessage(int storedCount)
{
    ModemEngineState& state = parts_.state;
    if (storedCount == 0) {
        state.missedMessageIndex = 0;
        return;
    }
    parts_.log.LogEvent(kMissedMessagesTitle, QString(), EventColour::White);
    ++state.missedMessageIndex; // wraps from 255 to 0
    const QString index = QString::number(state.missedMessageIndex);
    parts_.exchange.dialogue(restart::kMessages, [&] { parts_.messages.take(index, MessageVariant::Stored); });
}

} // namespace kvt::gsm
