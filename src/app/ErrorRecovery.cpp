#include "app/ErrorRecovery.h"

#include "common/EventSink.h"
#include "common/MainTimers.h"

#include <QDebug>

namespace kvt {

const QString ErrorRecovery::kErrorTitle = QStringLiteral("Ошибка программы");

ErrorRecovery::ErrorRecovery(MainTimers& timers, EventSink& log, std::function<bool()> modemConnected)
    : timers_(timers), log_(log), modemConnected_(std::move(modemConnected))
{
}

void ErrorRecovery::beginDispatch()
{
    timer2RunningAtDispatch_.push_back(timers_.isActive(MainTimer::Timer2));
}

void ErrorRecovery::endDispatch()
{
    if (!timer2RunningAtDispatch_.empty())
        timer2RunningAtDispatch_.pop_back();
}

void ErrorRecovery::restartTimers()
{
    // Outside any dispatch (start-up steps) Timer2 is left as it is.
    const bool timer2WasRunning = !timer2RunningAtDispatch_.empty() && timer2RunningAtDispatch_.back();
    if (timer2WasRunning)
        timers_.start(MainTimer::Timer2);
    if (modemConnected_ && modemConnected_()) {
        timers_.start(MainTimer::ATTimer);
        timers_.start(MainTimer::QueryTimer);
        timers_.start(MainTimer::Timer2);
    }
}

void ErrorRecovery::handle(const QString& errorText)
{
    if (!(dialogueRunning_ && dialogueRunning_()))
        restartTimers();
    // Logging the error may fail in its turn (report.log locked): that second failure is not
    // logged again, it only goes to stderr.
    if (handling_) {
        qWarning().noquote() << "error while logging an error:" << errorText;
        return;
    }
    handling_ = true;
    try {
        log_.LogEvent(kErrorTitle, errorText, EventColour::Red);
    } catch (...) {
        qWarning().noquote() << "could not log the error:" << errorText;
    }
    handling_ = false;
}

} // namespace kvt
