#include "support/VirtualClock.h"

#include <algorithm>

namespace kvt {

VirtualClock::VirtualClock(QDateTime start) : start_(std::move(start)) {}

QDateTime VirtualClock::now() const
{
    return start_.addMSecs(ticks_);
}

void VirtualClock::advance(qint64 ms)
{
    const qint64 target = ticks_ + std::max<qint64>(ms, 0);
    // Run what falls due on the way, each at its own time; an action may schedule more.
    while (!due_.empty() && due_.begin()->first <= target) {
        auto first = due_.begin();
        ticks_ = std::max(ticks_, first->first);
        auto action = std::move(first->second);
        due_.erase(first);
        action();
    }
    ticks_ = target;
}

void VirtualClock::setNow(const QDateTime& now)
{
    start_ = now.addMSecs(-ticks_);
}

void VirtualClock::schedule(qint64 delayMs, std::function<void()> action)
{
    due_.emplace(ticks_ + std::max<qint64>(delayMs, 0), std::move(action));
}

void VirtualClock::processEvents()
{
    if (pumpEvents_)
        Clock::processEvents();
}

} // namespace kvt
