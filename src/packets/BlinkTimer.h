#pragma once

namespace kvt {

// The blink timer of the main window (Timer_mig): while it runs, the lamps of the object form
// marked as blinking flash. Decoding stops it before each packet and starts it when a lamp
// ends up blinking.
class BlinkTimer {
public:
    virtual ~BlinkTimer() = default;
    virtual void stop() = 0;
    virtual void start() = 0;
};

} // namespace kvt
