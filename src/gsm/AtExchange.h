#pragma once

#include "common/MainTimers.h"
#include "gsm/ModemDialogueState.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

namespace kvt {
class Clock;
class PortError;
class SerialPort;
} // namespace kvt

namespace kvt::gsm {

// One start of a timer when a dialogue ends, and the pause (pumping) before the next start.
struct TimerStart {
    MainTimer timer;
    int pauseAfterMs = 0;
};
using TimerRestartOrder = std::vector<TimerStart>;

// Pause between the timer starts of the SMS and call operations.
inline constexpr int kRestartPauseMs = 300;

// The orders in which the dialogues start the three timers again.
namespace restart {
// SMS and call operations: ATTimer, 300 ms, QueryTimer, 300 ms, Timer2.
inline const TimerRestartOrder kSenders{
    {MainTimer::ATTimer, kRestartPauseMs}, {MainTimer::QueryTimer, kRestartPauseMs}, {MainTimer::Timer2, 0}};
// Reading a message, new or left in memory: QueryTimer, ATTimer, Timer2.
inline const TimerRestartOrder kMessages{{MainTimer::QueryTimer}, {MainTimer::ATTimer}, {MainTimer::Timer2}};
// An incoming call: Timer2, QueryTimer, ATTimer.
inline const TimerRestartOrder kIncomingCall{{MainTimer::Timer2}, {MainTimer::QueryTimer}, {MainTimer::ATTimer}};
} // namespace restart

// Told when the modem port fails under a read or write (a USB modem unplugged).
class PortLossHandler {
public:
    virtual ~PortLossHandler() = default;
    virtual void modemPortLost(const PortError& error) = 0;
};

// Keeps the complete lines of what the modem sent and holds back an unfinished last line until
// its CR LF arrives, so that no reply is judged by half a line.
class ReplyLines {
public:
    // Adds what was read; returns every line completed so far, each with its CR LF.
    QString take(QStringView received);
    void clear() { pending_.clear(); }

private:
    QString pending_;
};

// How a reply is read: up to `reads` reads of up to `count` bytes, each after `intervalMs`.
struct ReadPlan {
    int reads = 1;
    int intervalMs = 0;
    int count = 0;
};

// The frame of every dialogue with the GSM modem: the three timers (ATTimer, QueryTimer, Timer2)
// stop so that neither the receive dispatcher, the keep-alive cycle nor link supervision touch
// the port meanwhile; the dialogue purges, writes and reads on the Clock; every wait pumps
// window messages; at the end the timers start again in the order the dialogue prescribes.
class AtExchange {
public:
    AtExchange(SerialPort& port, Clock& clock, MainTimers& timers, ModemDialogueState& state);

    // Where a port that fails under a read or write is reported. Without one the PortError
    // goes to the caller.
    void setPortLossHandler(PortLossHandler* handler) { lossHandler_ = handler; }

    // Runs `body` as one dialogue and returns true when it ran to its end. With the port closed
    // it returns false at once and leaves the timers as they were. The timers that were running
    // are stopped first and started again afterwards in `order` (QueryTimer and ATTimer only
    // while the port is still open). A port lost during the body, or an abort requested (the
    // console is closing), ends the body early (a call that is up is hung up) and returns false.
    bool dialogue(const TimerRestartOrder& order, const std::function<void()>& body);
    // Runs `body`, which uses the port outside a dialogue (a timer tick); a lost port goes to the
    // loss handler and gives false.
    bool guarded(const std::function<void()>& body);

    bool portOpen() const;
    ModemDialogueState& state() { return state_; }
    Clock& clock() { return clock_; }

    // The port operations of a dialogue.
    void purge();
    void write(const QString& text);
    // Waits pumping window messages; ends the dialogue when an abort is requested.
    void wait(int ms);
    // Complete lines among up to `count` received bytes; an unfinished line waits for the next.
    QString readLines(int count);
    // Reads by `plan` until `done` holds for the lines read so far; returns them.
    QString readUntil(const ReadPlan& plan, const std::function<bool(QStringView)>& done);
    // Writes `command` and reads by `plan` until a final result code (OK, ERROR, ...) has come.
    QString command(const QString& command, const ReadPlan& plan);
    // A voice call is being set up or is up: a dialogue that ends early hangs it up.
    void setCallUp(bool up) { state_.callUp_ = up; }

private:
    struct Aborted {};
    // Ends the outermost dialogue: a call still up is hung up, the timers in `stopped` start
    // again in `order` (with the order's pauses when `pause`).
    void end(const TimerRestartOrder& order, const std::vector<MainTimer>& stopped, bool pause);
    bool reportLoss(const PortError& error);

    SerialPort& port_;
    Clock& clock_;
    MainTimers& timers_;
    ModemDialogueState& state_;
    PortLossHandler* lossHandler_ = nullptr;
    ReplyLines lines_;
};

} // namespace kvt::gsm
