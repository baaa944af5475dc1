#pragma once

#include <QString>

namespace kvt {
class EventSink;
class OperatorNotices;
class SerialPort;
struct ModemEngineState;
} // namespace kvt

namespace kvt::commands {

class CommandHost;

// What the operator's actions that use the GSM modem check before they start.
class GsmActionGate {
public:
    GsmActionGate(const EventSink& log, const ModemEngineState& modem, const SerialPort& port)
        : log_(log), modem_(modem), port_(port)
    {
    }

    // Another action is under way: its green line is the last one logged, or a dialogue with the
    // modem runs (its waits let the operator's clicks through).
    bool busy() const;
    // The modem was reported silent and has not answered since.
    bool modemSilent() const;
    // Port_Modem is open.
    bool modemConnected() const;

private:
    const EventSink& log_;
    const ModemEngineState& modem_;
    const SerialPort& port_;
};

// What one action says when the modem is silent or not connected (each action names its own
// texts); the refusal to connect shows as an information box unless the action shows a notice.
struct GsmRefusalTexts {
    QString modemSilent;
    QString notConnected;
    bool notConnectedAsNotice = false;
};

// Shows the first refusal that applies, in their order (an action under way, the modem silent,
// the modem not connected) and tells whether the action is refused.
bool RefuseGsmAction(const GsmActionGate& gate, CommandHost& host, OperatorNotices& notices,
                     const GsmRefusalTexts& texts);

// The refusals the actions share.
inline const QString kModemSilentRefusal = QStringLiteral(
    "Не возможно выполнить действие из-за отсутствия связи с модемом. Попробуйте заново установить связь с модемом "
    "в настройках программы.");

} // namespace kvt::commands
