#include "gsm/GsmModemController.h"

#include "gsm/ModemEngineState.h"

#include <stdexcept>

namespace kvt {

GsmModemController::GsmModemController(GsmModemContext context)
    : context_(context),
      connection_({context.port, context.timers, context.state, context.indicators, context.log, context.clock}),
      work_(connection_),
      connector_(Link::Gsm, context.port, work_, context.settings, context.connections, context.notices)
{
}

GsmModemController::~GsmModemController()
{
    detach();
}

void GsmModemController::attach(const GsmEngineAdapters& a)
{
    detach();
    engine_ = std::make_unique<gsm::GsmEngine>(gsm::GsmEngineContext{
        context_.port, context_.clock, context_.timers, context_.state, context_.indicators, context_.log,
        connection_, a.objects, a.view, a.settings, a.eventLog, a.links, a.linkView, a.arrivalHost, context_.notices,
        terminalAnswers_, a.storeConnection});
    work_.setEngine(engine_.get());
}

void GsmModemController::detach()
{
    work_.setEngine(nullptr);
    engine_.reset();
}

gsm::GsmEngine& GsmModemController::engine()
{
    if (!engine_)
        throw std::logic_error("the GSM engine is not attached");
    return *engine_;
}

bool GsmModemController::tickMayRun() const
{
    return engine_ && !context_.state.dialogue.isRunning();
}

void GsmModemController::QueryTimerTimer()
{
    if (tickMayRun())
        engine_->QueryTimerTimer();
}

void GsmModemController::ATTimerTimer()
{
    if (tickMayRun())
        engine_->ATTimerTimer();
}

void GsmModemController::Query_Send_ButtonClick()
{
    // During a dialogue the poll shows the notification window itself.
    if (engine_)
        engine_->Send_Ring_ButtonClick();
}

} // namespace kvt
