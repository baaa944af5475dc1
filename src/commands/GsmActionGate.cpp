#include "commands/GsmActionGate.h"

#include "common/EventSink.h"
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

} // namespace kvt::commands
