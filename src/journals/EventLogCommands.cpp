#include "journals/EventLogCommands.h"

#include "common/Clock.h"
#include "common/Confirmation.h"
#include "journals/EventLog.h"

namespace kvt {

const QString EventLogCommands::kClearQuestion = QStringLiteral("Вы дейсвительно желаете отчистить журнал событий");
const QString EventLogCommands::kCancelTitle = QStringLiteral("Действие отменено");
const QByteArray EventLogCommands::kHangUp = QByteArrayLiteral("ATH\r\n");

bool EventLogCommands::Clear(EventLog& log, Confirmation& confirmation)
{
    if (!confirmation.confirm(kClearQuestion))
        return false;
    log.ArchiveEventLog(EventLog::kOperatorClearTitle);
    return true;
}

void EventLogCommands::Cancel(EventLog& log, ModemCancelSteps& modem, Clock& clock)
{
    if (!modem.isModemPortOpen())
        return;
    // Plain sleeps: nothing else may touch the modem while the call is being hung up.
    clock.sleep(kBeforeHangUpMs);
    modem.writeToModem(kHangUp);
    modem.enableATTimer();
    clock.sleep(kAfterATTimerMs);
    modem.enableQueryTimer();
    clock.sleep(kAfterQueryTimerMs);
    modem.enableTimer2();
    log.LogEvent(kCancelTitle, QString(), EventColour::White);
}

} // namespace kvt
