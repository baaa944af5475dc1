#include "commands/GsmActionGate.h"

#include "commands/CommandHost.h"
#include "common/EventSink.h"
#include "common/OperatorNotices.h"
#include "gsm/ModemEngineState.h"
#include "serial/SerialPort.h"

namespace kvt::commands {

bool GsmActionGate::busy() const
{
    return log_.IsActionPending() || modem_.dialogue.isRunning();
}

bool GsmActionGate::modemSilent() const
{
    return modem_.modemReportedSilent();
}

bool GsmActionGate::modemConnected() const
{
    return port_.Connected();
}

bool RefuseGsmAction(const GsmActionGate& gate, CommandHost& host, OperatorNotices& notices,
                     const GsmRefusalTexts& texts)
{
    if (gate.busy()) {
        host.showBusyNotice();
        return true;
    }
    if (gate.modemSilent()) {
        notices.information(texts.modemSilent);
        return true;
    }
    if (!gate.modemConnected()) {
        if (texts.notConnectedAsNotice)
            notices.notice(texts.notConnected);
        else
            notices.information(texts.notConnected);
        return true;
    }
    return false;
}

} // namespace kvt::commands
