#pragma once

namespace kvt {

// The main window's handlers that belong to the GSM modem: the two modem timers and the
// operator's commands that talk to the modem. The main window forwards each one here in one line.
class GsmModemHandlers {
public:
    virtual ~GsmModemHandlers() = default;

    // QueryTimer: the receive dispatcher's tick.
    virtual void QueryTimerTimer() = 0;
    // ATTimer: the modem keep-alive cycle's tick.
    virtual void ATTimerTimer() = 0;
    // "Опросить (GSM)", "Опрос объекта", "Опросить объект": polls the selected object by call.
    virtual void Query_Send_ButtonClick() = 0;
    // "Терминал (GSM)", "Передать команду": the command window on its terminal page.
    virtual void SpeedButton_Show_Send_Comand_FormClick() = 0;
    // "Пополнение баланса объекта", "Установки объекта": the command window on its top-up page.
    virtual void ObjectTopUpItemClick() = 0;
    // "Отправление команды объекту": the command window on its command page.
    virtual void ObjectCommandItemClick() = 0;
    // "обновить": checks the balance of the dispatch modem's SIM.
    virtual void lbl2Click() = 0;
};

} // namespace kvt
