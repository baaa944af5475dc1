#pragma once

namespace kvt {

// The main window's handlers that belong to the GSM modem: the two modem timers and the poll of
// the selected object. The main window forwards each one here in one line.
class GsmModemHandlers {
public:
    virtual ~GsmModemHandlers() = default;

    // QueryTimer: the receive dispatcher's tick.
    virtual void QueryTimerTimer() = 0;
    // ATTimer: the modem keep-alive cycle's tick.
    virtual void ATTimerTimer() = 0;
    // "Опросить (GSM)", "Опрос объекта", "Опросить объект": polls the selected object by call.
    virtual void Query_Send_ButtonClick() = 0;
};

} // namespace kvt
