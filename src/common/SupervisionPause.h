#pragma once

namespace kvt {

// Set while a window that must not be disturbed by link supervision is open (the command
// window, the add/edit object window, the event journal once it has loaded a list); link
// supervision skips its walk while it is set. Clear at start-up.
class SupervisionPause {
public:
    void set(bool paused) { paused_ = paused; }
    bool isSet() const { return paused_; }

private:
    bool paused_ = false;
};

} // namespace kvt
