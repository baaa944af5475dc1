#pragma once

namespace kvt::gsm {

// Whether a dialogue with the GSM modem is under way. Operator actions that need the modem look
// here and refuse (with the notification window) instead of running in the middle of a dialogue
// whose waits pump window messages; closing the console asks the running dialogue to end.
class ModemDialogueState {
public:
    bool isRunning() const { return depth_ > 0; }
    // The running dialogue ends at its next wait, hanging up a call that is up. Nothing happens
    // when no dialogue runs.
    void requestAbort()
    {
        if (isRunning())
            abortRequested_ = true;
    }
    bool abortRequested() const { return abortRequested_; }

private:
    friend class AtExchange;

    // Dialogues nest (a state packet read inside a message dialogue sends its forward SMS in a
    // dialogue of its own); only the outermost one stops and restarts the timers.
    int depth_ = 0;
    bool abortRequested_ = false;
    // A voice call is set up or up: an ended dialogue hangs it up.
    bool callUp_ = false;
};

} // namespace kvt::gsm
