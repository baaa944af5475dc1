#pragma once

namespace kvt {

class FormControl;

// The main window's handlers of the operator's commands to objects and to the console's own
// modem. The main window forwards each one here in one line.
class CommandHandlers {
public:
    virtual ~CommandHandlers() = default;

    // A command button of the object form (HelpContext other than 123): sends its command.
    virtual void Send_Pusk_ButtonClick(FormControl& sender) = 0;
    // The settings button of the object form (HelpContext 123): sends the form's settings.
    virtual void SpeedButton3Click(FormControl& sender) = 0;
    // "обновить": checks the balance of the console's modem.
    virtual void lbl2Click() = 0;
    // "Пополнение баланса ЦДП": the top-up window of the console's modem.
    virtual void SpeedButton5Click() = 0;
    // "Терминал (GSM)", "Передать команду": the command window for the selected object.
    virtual void SpeedButton_Show_Send_Comand_FormClick() = 0;
    // "Пополнение баланса объекта", "Установки объекта": the command window on its top-up page.
    virtual void N48Click() = 0;
    // "Отправление команды объекту": the command window on its command page.
    virtual void N49Click() = 0;
};

} // namespace kvt
