#pragma once

#include <QString>

namespace kvt {
class EventSink;
class LinkIndicators;
struct ModemEngineState;
} // namespace kvt

namespace kvt::gsm {

class AtExchange;
class EngineView;
class IncomingCall;
class LinkReportSteps;
class MessageIntake;

// The receive dispatcher (QueryTimerTimer, every second while the modem is connected): after the
// radio and RS-485 steps it reads what the modem has sent and reacts to it, in this order: new
// messages ("+CMTI:"), a call ringing in ("RING"), the network registration ("+CREG:"), the
// signal quality ("+CSQ:") and messages left in the modem's memory ("+CPMS:"). One tick may
// handle several of them. A line that has not fully arrived waits for the next tick.
class ReceiveDispatcher {
public:
    struct Parts {
        AtExchange& exchange;
        ModemEngineState& state;
        LinkIndicators& indicators;
        EventSink& log;
        EngineView& view;
        LinkReportSteps& links;
        MessageIntake& messages;
        IncomingCall& calls;
    };

    static const QString kMissedMessagesTitle;
    // What one tick reads from the modem at most.
    static constexpr int kTickReadCount = 256;

    explicit ReceiveDispatcher(Parts parts) : parts_(parts) {}

    void QueryTimerTimer();

private:
    void handle(const QString& text);
    // One message left in the modem's memory, at the next index, per "+CPMS:" answer.
    void readStoredMessage(int storedCount);

    Parts parts_;
};

} // namespace kvt::gsm
