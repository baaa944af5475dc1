#pragma once

#include <QString>

namespace kvt {
class Clock;
class EventSink;
class OperatorNotices;
struct ModemEngineState;
} // namespace kvt

namespace kvt::gsm {

class AtExchange;
class CallDialer;
class EngineView;
class ObjectDirectory;

// The poll of the selected object by call ("Опросить (GSM)", Query_Send_Button and its menu
// items), which the higher dispatch point can also order: while such an order runs, the
// refusals are silent.
class ObjectPoll {
public:
    struct Parts {
        AtExchange& exchange;
        CallDialer& dialer;
        ModemEngineState& state;
        ObjectDirectory& objects;
        EngineView& view;
        OperatorNotices& messages;
        EventSink& log;
        Clock& clock;
    };

    static const QString kModemSilentText;
    static const QString kNotConnectedText;
    static const QString kNoObjectText;
    static const QString kPollTitle;
    static const QString kPollFailedTitle;
    static const QString kPollDoneTitle;
    static const QString kLinkCheckCaption;

    explicit ObjectPoll(Parts parts) : parts_(parts) {}

    // Send_Ring_ButtonClick.
    void PollSelectedObject();

private:
    void refuse(const QString& text);
    void poll(const QString& nodeText);

    Parts parts_;
};

} // namespace kvt::gsm
