#include "gsm/GsmEngine.h"

#include "gsm/ModemEngineState.h"

namespace kvt::gsm {

GsmEngine::GsmEngine(const GsmEngineContext& c)
    : exchange_(c.port, c.clock, c.timers, c.state.dialogue),
      sms_(exchange_),
      dialer_(exchange_),
      notifications_(sms_, dialer_),
      journal_(c.storeConnection),
      arrival_(c.arrivalHost, c.log),
      intake_({exchange_, journal_, c.objects, c.view, c.settings, c.log, c.timers, c.state, c.terminalAnswers,
               arrival_, c.clock}),
      incomingCall_({exchange_, dialer_, c.objects, c.view, c.settings, c.log, c.clock}),
      dispatcher_({exchange_, c.state, c.indicators, c.log, c.view, c.links, intake_, incomingCall_}),
      keepAlive_({exchange_, c.connection, c.state, c.indicators, c.log, c.view, c.settings, c.eventLog}),
      poll_({exchange_, dialer_, c.state, c.objects, c.view, c.messages, c.log, c.clock}),
      portWatch_({c.connection, c.port, c.timers, c.indicators, c.log, c.linkView})
{
    exchange_.setPortLossHandler(&portWatch_);
}

ModemDialogueState& GsmEngine::dialogue()
{
    return exchange_.state();
}

} // namespace kvt::gsm
