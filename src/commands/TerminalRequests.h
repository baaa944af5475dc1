#pragma once

#include "commands/CommandHost.h"

#include <QString>

namespace kvt {
class AlertSounds;
class EventSink;
class OperatorNotices;
namespace gsm {
class SmsSender;
}
namespace registry {
class Registry;
}
} // namespace kvt

namespace kvt::commands {

class GsmActionGate;

// What the terminal requests work with.
struct TerminalRequestsContext {
    CommandHost& host;
    OperatorNotices& notices;
    EventSink& log;
    const GsmActionGate& gate;
    registry::Registry& registry;
    gsm::SmsSender& sms;
    AlertSounds& sounds;
};

// The two sending buttons of the command window: an AT command for the modem of the object chosen
// in the tree, sent as a terminal request SMS that the object's controller runs on its modem. The
// object's answer comes back later as a terminal answer.
class TerminalRequests final : public TerminalSender {
public:
    explicit TerminalRequests(TerminalRequestsContext context) : c_(context) {}

    // "Пополнить счет" (SpeedButton4Click): the object's modem dials the card string as typed.
    void topUpObject(const QString& cardString) override;
    // "Отправить" (SpeedButton1Click): the AT command as typed.
    void sendCommand(const QString& command) override;

    // The user data of a terminal request: the hex of "TERMINAL:" and CR, the command's
    // characters in hex, CR LF.
    static QString TerminalRequestData(const QString& command);

    static const QString kTopUpTitle;   // "Пополнение баланса GSM модема объекта"
    static const QString kCommandTitle; // "Передача команды объекту "

private:
    void send(const QString& command, const QString& title);

    TerminalRequestsContext c_;
};

} // namespace kvt::commands
