#pragma once

#include <QDateTime>

#include <functional>
#include <map>

namespace kvt {

// Time as a seam: the console reads the date and time, sleeps and waits through a Clock, so a
// test can run a forty-second modem dialogue in milliseconds with a VirtualClock.
class Clock {
public:
    virtual ~Clock() = default;

    // Local date and time.
    virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary start, never going back.
    virtual qint64 ticks() const = 0;
    // A plain sleep: the window does not react meanwhile.
    virtual void sleep(int ms) = 0;
    // Sleeps in steps of `kPumpStepMs` and processes window messages after each step, so timers
    // and buttons run during the wait.
    void waitPumping(int ms);

    static constexpr int kPumpStepMs = 10;

protected:
    virtual void processEvents();
};

// The wall clock of the machine.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    qint64 ticks() const override;
    void sleep(int ms) override;
};

// A clock that only moves when told to: sleeping advances it at once. Actions scheduled at a
// virtual time run when the clock passes that time, so a fake device can answer "after" a wait.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(QDateTime start = QDateTime(QDate(2024, 1, 15), QTime(12, 0)));

    QDateTime now() const override;
    qint64 ticks() const override { return ticks_; }
    void sleep(int ms) override { advance(ms); }

    void advance(qint64 ms);
    void setNow(const QDateTime& now);
    // Runs `action` once the clock reaches now + `delayMs`.
    void schedule(qint64 delayMs, std::function<void()> action);
    // Whether waitPumping also processes real Qt events (on by default).
    void setPumpEvents(bool on) { pumpEvents_ = on; }

protected:
    void processEvents() override;

private:
    QDateTime start_;
    qint64 ticks_ = 0;
    std::multimap<qint64, std::function<void()>> due_;
    bool pumpEvents_ = true;
};

// `clock.waitPumping(ms)`, under the name the console's rules use.
inline void WaitPumping(Clock& clock, int ms)
{
    clock.waitPumping(ms);
}

} // namespace kvt
