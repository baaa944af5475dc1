#pragma once

#include "commands/CommandButtons.h"
#include "commands/CommandHandlers.h"
#include "commands/GsmActionGate.h"
#include "commands/TerminalRequests.h"
#include "commands/UssdDialogues.h"

namespace kvt {
class MainTimers;
class StatusLine;
} // namespace kvt

namespace kvt::commands {

class CommandWindow;
class TopUpWindow;

// What the operator's commands reach of the console, handed in once at start-up.
struct CommandsContext {
    SerialPort& modemPort;  // Port_Modem
    SerialPort& radioPort;  // Port_ZigBee
    SerialPort& rs485Port;  // Port_RS485
    MainTimers& timers;
    EventSink& log;
    // The status line (Label25): a green line on it means another action is under way.
    const StatusLine& statusLine;
    const ModemEngineState& modem;
    // The modem dialogues and the SMS senders of the GSM engine.
    gsm::AtExchange& exchange;
    gsm::SmsSender& sms;
    links::LinkMailbox& radio;  // RadioLink
    links::LinkMailbox& rs485;  // Rs485Link
    const LinkIndicators& indicators;
    const Settings& settings;
    AlertSounds& sounds;
    registry::Registry& registry;
    registry::ChannelAddresses& channels;
    CurrentObject& current;
    OperatorNotices& notices;
    CommandHost& host;
};

// The operator's commands: the command buttons of object forms, the balance check and top-up of
// the console's modem, and the command window that tops up object modems and sends them AT
// commands. The windows, made after the main window, are handed in when they exist.
class CommandsController final : public CommandHandlers {
public:
    explicit CommandsController(CommandsContext context);

    void setCommandWindow(CommandWindow* window) { commandWindow_ = window; }
    void setTopUpWindow(TopUpWindow* window) { topUpWindow_ = window; }

    // Label24.
    DispatchBalance& balance() { return balance_; }
    // What the command window's and the top-up window's buttons run.
    TerminalRequests& terminal() { return terminal_; }
    DispatchTopUp& dispatchTopUp() { return topUp_; }

    void Send_Pusk_ButtonClick(FormControl& sender) override { buttons_.Send_Pusk_ButtonClick(sender); }
    void SpeedButton3Click(FormControl& sender) override { buttons_.SpeedButton3Click(sender); }
    void lbl2Click() override;
    void SpeedButton5Click() override;
    void SpeedButton_Show_Send_Comand_FormClick() override;
    void N48Click() override;
    void N49Click() override;

    static const QString kCommandWindowCaption; // "Передача команды "

private:
    void showCommandWindow(int page);

    CommandsContext c_;
    GsmActionGate gate_;
    DispatchBalance balance_;
    CommandButtons buttons_;
    BalanceCheck balanceCheck_;
    DispatchTopUp topUp_;
    TerminalRequests terminal_;
    CommandWindow* commandWindow_ = nullptr;
    TopUpWindow* topUpWindow_ = nullptr;
};

} // namespace kvt::commands
