#pragma once

#include "commands/CommandHost.h"
#include "commands/CommandsController.h"

namespace kvt {

class GeneralForm;
class PopolnenSchetaForm;
class SendComandForm;

// The main window as the operator's commands use it: the object tree's selection and focus, and
// the notification window.
class MainWindowForCommands final : public commands::CommandHost {
public:
    explicit MainWindowForCommands(GeneralForm& window) : window_(window) {}

    void focusObjectTree() override;
    std::optional<QString> selectedObjectName() const override;
    void showBusyNotice() override;

private:
    GeneralForm& window_;
};

// The operator's commands attached to the main window and the core, for as long as the window
// lives: the command buttons of object forms over the links' mailboxes and the GSM engine's
// senders, the balance check and top-up of the console's modem, and the command window.
class CommandsWiring {
public:
    // The GSM engine must be attached before (its modem dialogues and senders are used).
    explicit CommandsWiring(GeneralForm& window);

    commands::CommandsController& controller() { return controller_; }

    // The command window and the top-up window, made after the main window.
    void setWindows(SendComandForm& command, PopolnenSchetaForm& topUp);

private:
    GeneralForm& window_;
    MainWindowForCommands host_;
    commands::CommandsController controller_;
};

} // namespace kvt
