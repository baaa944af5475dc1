#include "gsm/AtExchange.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"
#include "serial/SerialPort.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kvt::gsm {

namespace {
// The timers whose ticks use the modem port.
constexpr std::array kDialogueTimers{MainTimer::ATTimer, MainTimer::QueryTimer, MainTimer::Timer2};
// An unfinished line longer than this is not a modem reply: it is dropped.
constexpr int kLongestPendingLine = 1024;
} // namespace

QString ReplyLines::take(QStringView received)
{
    pending_ += received;
    const qsizetype end = pending_.lastIndexOf(modem::kCrLf);
    if (end < 0) {
        if (pending_.size() > kLongestPendingLine)
            pending_ = pending_.right(kLongestPendingLine);
        return {};
    }
    const qsizetype complete = end + modem::kCrLf.size();
    QString lines = pending_.left(complete);
    pending_.remove(0, complete);
    return lines;
}

AtExchange::AtExchange(SerialPort& port, Clock& clock, MainTimers& timers, ModemDialogueState& state)
    : port_(port), clock_(clock), timers_(timers), state_(state)
{
}

bool AtExchange::portOpen() const
{
    return port_.Connected();
}

bool AtExchange::dialogue(const TimerRestartOrder& order, const std::function<void()>& body)
{
    if (!port_.Connected())
        return false;
    if (state_.depth_ > 0) {
        // Nested: the outer dialogue owns the timers and ends on a lost port or an abort.
        ++state_.depth_;
        try {
            body();
        } catch (...) {
            --state_.depth_;
            throw;
        }
        --state_.depth_;
        return true;
    }

    std::vector<MainTimer> stopped;
    for (MainTimer timer : kDialogueTimers) {
        if (timers_.isActive(timer))
            stopped.push_back(timer);
        timers_.stop(timer);
    }
    state_.abortRequested_ = false;
    state_.callUp_ = false;
    state_.depth_ = 1;
    try {
        body();
    } catch (const Aborted&) {
        end(order, stopped, false);
        return false;
    } catch (const PortError& error) {
        if (!lossHandler_) {
            end(order, stopped, false);
            throw;
        }
        state_.callUp_ = false; // nothing more can be written to a lost port
        lossHandler_->modemPortLost(error);
        end(order, stopped, true);
        return false;
    } catch (...) {
        end(order, stopped, false);
        throw;
    }
    end(order, stopped, true);
    return true;
}

void AtExchange::end(const TimerRestartOrder& order, const std::vector<MainTimer>& stopped, bool pause)
{
    state_.depth_ = 0;
    state_.abortRequested_ = false;
    if (std::exchange(state_.callUp_, false) && port_.Connected()) {
        try {
            port_.WriteStr(modem::kHangUp);
        } catch (const PortError& error) {
            reportLoss(error);
        }
    }
    for (const TimerStart& start : order) {
        if (std::find(stopped.begin(), stopped.end(), start.timer) == stopped.end())
            continue;
        // The receive dispatcher and the keep-alive cycle run only while the modem port is open.
        if (start.timer != MainTimer::Timer2 && !port_.Connected())
            continue;
        timers_.start(start.timer);
        if (pause && start.pauseAfterMs > 0)
            clock_.waitPumping(start.pauseAfterMs);
    }
}

bool AtExchange::guarded(const std::function<void()>& body)
{
    try {
        body();
    } catch (const PortError& error) {
        if (!reportLoss(error))
            throw;
        return false;
    }
    return true;
}

bool AtExchange::reportLoss(const PortError& error)
{
    if (!lossHandler_)
        return false;
    lossHandler_->modemPortLost(error);
    return true;
}

void AtExchange::purge()
{
    port_.Purge();
    lines_.clear();
}

void AtExchange::write(const QString& text)
{
    port_.WriteStr(text);
}

void AtExchange::wait(int ms)
{
    const qint64 start = clock_.ticks();
    for (;;) {
        if (state_.abortRequested_)
            throw Aborted{};
        if (clock_.ticks() - start >= ms)
            return;
        clock_.waitPumping(Clock::kPumpStepMs);
    }
}

QString AtExchange::readLines(int count)
{
    return lines_.take(port_.ReadStr(count));
}

QString AtExchange::readUntil(const ReadPlan& plan, const std::function<bool(QStringView)>& done)
{
    QString text;
    for (int read = 0; read < plan.reads; ++read) {
        wait(plan.intervalMs);
        text += readLines(plan.count);
        if (done(text))
            break;
    }
    return text;
}

QString AtExchange::command(const QString& command, const ReadPlan& plan)
{
    write(command);
    return readUntil(plan, [](QStringView text) { return modem::LastFinalResult(text) != modem::FinalResult::None; });
}

} // namespace kvt::gsm
