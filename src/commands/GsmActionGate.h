#pragma once

#include <QString>

namespace kvt {
class EventSink;
class SerialPort;
struct ModemEngineState;
} // namespace kvt

namespace kvt::commands {

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

// The refusals the actions share.
inline const QString kModemSilentRefusal = QStringLiteral(
    "Не возможно выполнить действие из-за отсутствия связи с модемом. Попробуйте заново установить связь с модемом "
    "в настройках программы.");

} // namespace kvt::commands
