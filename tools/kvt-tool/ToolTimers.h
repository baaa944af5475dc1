#pragma once

#include "common/MainTimers.h"

namespace kvt::tool {

// The main window's timers where no window runs: the decoder's blink timer is only remembered.
class ToolTimers : public MainTimers {
public:
    void start(MainTimer timer) override { active_[int(timer)] = true; }
    void stop(MainTimer timer) override { active_[int(timer)] = false; }
    bool isActive(MainTimer timer) const override { return active_[int(timer)]; }

private:
    bool active_[int(MainTimer::Timer_mig) + 1] = {};
};

} // namespace kvt::tool
