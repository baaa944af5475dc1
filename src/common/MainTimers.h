#pragma once

namespace kvt {

// The timers of the main window, by their names.
enum class MainTimer { QueryTimer, ATTimer, Timer2, Timer1, Timer_Avari_Snd, Timer_mig };

// The main window owns its timers; code below it that must stop or start one (every modem
// dialogue stops ATTimer, QueryTimer and Timer2 and starts them again) goes through this.
class MainTimers {
public:
    virtual ~MainTimers() = default;

    virtual void start(MainTimer timer) = 0;
    virtual void stop(MainTimer timer) = 0;
    virtual bool isActive(MainTimer timer) const = 0;
};

} // namespace kvt
