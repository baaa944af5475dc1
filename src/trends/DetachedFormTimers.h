#pragma once

#include "common/MainTimers.h"

#include <array>

namespace kvt {

// The timers seen by the decoder of a form that no window shows: the blink timer it stops and
// starts is only remembered, since nothing on screen blinks.
class DetachedFormTimers final : public MainTimers {
public:
    void start(MainTimer timer) override { active_[index(timer)] = true; }
    void stop(MainTimer timer) override { active_[index(timer)] = false; }
    bool isActive(MainTimer timer) const override { return active_[index(timer)]; }

private:
    static std::size_t index(MainTimer timer) { return static_cast<std::size_t>(timer); }
    std::array<bool, static_cast<std::size_t>(MainTimer::Timer_mig) + 1> active_{};
};

} // namespace kvt
