#pragma once

#include "common/Clock.h"

namespace kvt::tool {

// The system clock with the date and time held at one moment: the month a command is told to
// work in. Sleeps and ticks are the system clock's.
class StillClock final : public Clock {
public:
    explicit StillClock(QDateTime at) : at_(std::move(at)) {}

    QDateTime now() const override { return at_; }
    qint64 ticks() const override { return system_.ticks(); }
    void sleep(int ms) override { system_.sleep(ms); }

private:
    QDateTime at_;
    SystemClock system_;
};

} // namespace kvt::tool
