#pragma once

#include "gsm/ReceiveJournal.h"

#include <QString>

namespace kvt {
class Clock;
class EventSink;
class MainTimers;
class StatePacketArrival;
struct DeliverPdu;
struct ModemEngineState;
} // namespace kvt

namespace kvt::gsm {

class AtExchange;
class EngineSettings;
class EngineView;
class ObjectDirectory;
class TerminalAnswerList;

// How a message came to be read: announced by "+CMTI:", or found in the modem's memory.
enum class MessageVariant { New, Stored };

// Reads one message from the modem, handles it and only then deletes it from the modem, keeping
// it in the receive journal in between: a message is a poll ordered by the higher dispatch point,
// a terminal answer or a state packet, or it is not for the console. Runs inside the dialogue of
// the receive dispatcher.
class MessageIntake {
public:
    struct Parts {
        AtExchange& exchange;
        ReceiveJournal& journal;
        ObjectDirectory& objects;
        EngineView& view;
        EngineSettings& settings;
        EventSink& log;
        MainTimers& timers;
        ModemEngineState& state;
        TerminalAnswerList& terminalAnswers;
        StatePacketArrival& arrival;
        Clock& clock;
    };

    static const QString kNewStateTitle;
    static const QString kStoredStateTitle;
    static const QString kDispatchPointPollTitle;
    static const QString kTerminalAnswerTitle;
    static const QString kLastChangeCaption;
    // User data of a terminal answer: the hex of "TERMINAL:" and CR.
    static const QString kTerminalMarker;
    // A state packet is handed on as this many characters, NUL-padded.
    static constexpr int kStatePacketLength = 512;
    // A sender found in memory with this many characters or more is not a phone number.
    static constexpr int kLongestStoredSender = 29;
    static constexpr int kLongestTerminalAnswer = 255;

    explicit MessageIntake(Parts parts) : parts_(parts) {}

    // Reads the message at `index`, handles it and deletes it from the modem. A slot that holds
    // no message (or a reply that has not fully come) is left as it is.
    void take(const QString& index, MessageVariant variant);

private:
    QString fetch(const QString& index);
    ReceiveOutcome handle(const DeliverPdu& pdu, MessageVariant variant, qint64 entry);
    ReceiveOutcome dispatchPointOrder(const DeliverPdu& pdu);
    // Deletes the message from the modem, up to three attempts, until the modem answers OK.
    void remove(const QString& index, qint64 entry);

    Parts parts_;
};

// The characters of the hex pairs of `hex`, read from its start up to the first pair that is
// not hexadecimal, at most `limit` characters (Windows-1251).
QString TextOfHexPairs(QStringView hex, int limit = -1);

} // namespace kvt::gsm
