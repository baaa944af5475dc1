#pragma once

#include "app/KvtApplication.h"

#include <QString>

#include <functional>
#include <vector>

namespace kvt {

class EventSink;
class MainTimers;

// What the global error handler does with an error that escaped a handler, a timer tick or a
// menu action: nothing is shown; the error is written once to the event log as a red line; the
// link supervision timer runs again when it ran before the failed handler, and the modem timers
// run again while the modem is connected, so a failure in the middle of an operation that had
// stopped them does not leave the console deaf.
//
// The application tells it when the dispatch of an event begins and ends, so it knows whether
// Timer2 was running before the handler that failed (dispatches nest while a wait pumps
// messages; the innermost one is the one that failed).
class ErrorRecovery final : public DispatchObserver {
public:
    static const QString kErrorTitle;

    ErrorRecovery(MainTimers& timers, EventSink& log, std::function<bool()> modemConnected);

    // While a modem dialogue runs (an error inside the handling of a received message), the
    // timers are left as the dialogue stopped them: it starts them again itself when it ends,
    // and nothing else may touch the modem port or the trees before that.
    void setDialogueRunning(std::function<bool()> running) { dialogueRunning_ = std::move(running); }

    void beginDispatch() override;
    void endDispatch() override;

    // The sink of the global error handler.
    void handle(const QString& errorText);

private:
    void restartTimers();

    MainTimers& timers_;
    EventSink& log_;
    std::function<bool()> modemConnected_;
    std::function<bool()> dialogueRunning_;
    std::vector<bool> timer2RunningAtDispatch_;
    bool handling_ = false;
};

} // namespace kvt
