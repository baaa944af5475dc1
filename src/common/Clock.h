#pragma once

#include <QDateTime>

namespace kvt {

// Time as a seam: the console reads the date and time, sleeps and waits through a Clock, so a
// test can run a forty-second modem dialogue in milliseconds with a virtual clock.
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

// `clock.waitPumping(ms)`, under the name the console's rules use.
inline void WaitPumping(Clock& clock, int ms)
{
    clock.waitPumping(ms);
}

} // namespace kvt
