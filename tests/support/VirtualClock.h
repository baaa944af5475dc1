#pragma once

#include "common/Clock.h"

#include <functional>
#include <map>

namespace kvt {

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

} // namespace kvt
