#include "gsm/ObjectPoll.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "common/OperatorNotices.h"
#include "gsm/AtExchange.h"
#include "gsm/CallDialer.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/IncomingCall.h"
#include "gsm/ModemEngineState.h"

namespace kvt::gsm {

namespace {
// An object without link-check period keeps its Time_Ring.
const QString kNoLinkCheck = QStringLiteral("0");
} // namespace

const QString ObjectPoll::kModemSilentText = QStringLiteral(
    "Не возможно выполнить действие из-за отсутствия связи с модемом. Попробуйте заново установить связь с модемом "
    "в настройках программы.");
const QString ObjectPoll::kNotConnectedText = QStringLiteral("Необходимо установить связь с модемом.");
const QString ObjectPoll::kNoObjectText = QStringLiteral("Необходимо выделить объект из списка объектов.");
const QString ObjectPoll::kPollTitle = QStringLiteral("Опрос объекта");
const QString ObjectPoll::kPollFailedTitle = QStringLiteral("Не удалось опросить объект по GSM каналу");
const QString ObjectPoll::kPollDoneTitle = QStringLiteral("Запрос был успешно отправлен по GSM каналу объекту");
const QString ObjectPoll::kLinkCheckCaption = QStringLiteral("      Последняя проверка связи: ");

void ObjectPoll::refuse(const QString& text)
{
    if (!parts_.state.dispatchPollFlag)
        parts_.messages.notice(text);
}

void ObjectPoll::PollSelectedObject()
{
    ModemEngineState& state = parts_.state;
    // The dispatch point's order comes from within the receive dispatcher's own dialogue; an
    // operator's click during a dialogue waits for none.
    if (state.dialogue.isRunning() && !state.dispatchPollFlag) {
        parts_.view.showBusyNotice();
        return;
    }
    if (state.modemReportedSilent())
        refuse(kModemSilentText);
    else if (!parts_.exchange.portOpen())
        refuse(kNotConnectedText);
    else
        poll(parts_.view.selectedNodeText());
    state.dispatchPollFlag = false;
}

void ObjectPoll::poll(const QString& nodeText)
{
    parts_.view.focusObjectTree();
    const std::optional<ObjectEntry> object = parts_.objects.findByName(nodeText);
    if (!object) {
        refuse(kNoObjectText);
        return;
    }
    parts_.view.setPollButtonEnabled(false);
    parts_.log.LogEvent(kPollTitle, nodeText, EventColour::Green);
    std::optional<ObjectEntry> polled;
    if (!parts_.dialer.DialObject(object->phone)) {
        parts_.log.LogEvent(kPollFailedTitle, nodeText, EventColour::Red);
    } else {
        parts_.log.LogEvent(kPollDoneTitle, nodeText, EventColour::Yellow);
        parts_.view.playDataSentSound();
        // Looked up again: the object may have changed during the call.
        polled = parts_.objects.findByName(nodeText);
    }
    if (polled && polled->linkCheckPeriod != kNoLinkCheck) {
        const QString now = LinkCheckTimeText(parts_.clock.now());
        parts_.objects.setTimeRing(polled->code, now);
        parts_.view.showLinkCheckLine(nodeText + kLinkCheckCaption + now);
    }
    parts_.view.setPollButtonEnabled(true);
}

} // namespace kvt::gsm
