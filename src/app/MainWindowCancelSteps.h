#pragma once

#include "journals/EventLogCommands.h"

namespace kvt {

class MainTimers;
class SerialPort;

// The modem side of "Отмена" as the main window has it: the GSM modem port and the timers.
class MainWindowCancelSteps final : public ModemCancelSteps {
public:
    MainWindowCancelSteps(SerialPort& modemPort, MainTimers& timers) : port_(modemPort), timers_(timers) {}

    bool isModemPortOpen() const override;
    void writeToModem(const QByteArray& bytes) override;
    void enableATTimer() override;
    void enableQueryTimer() override;
    void enableTimer2() override;

private:
    SerialPort& port_;
    MainTimers& timers_;
};

} // namespace kvt
