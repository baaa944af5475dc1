#pragma once

#include "gsm/GsmLinkWork.h"
#include "gsm/GsmModemHandlers.h"
#include "gsm/ModemConnection.h"
#include "settings/LinkPortConnector.h"

namespace kvt {

class Clock;
class CurrentObject;
class EventSink;
class LinkConnections;
class LinkIndicators;
class MainTimers;
class OperatorNotices;
class SerialPort;
class Settings;
class StatePacketDecoder;
struct ModemEngineState;
namespace registry {
class ChannelAddresses;
class Registry;
} // namespace registry

// What the GSM modem's work reaches of the console, handed in once at start-up.
struct GsmModemContext {
    SerialPort& port; // Port_Modem
    Clock& clock;
    MainTimers& timers;
    EventSink& log;
    ModemEngineState& state;
    LinkIndicators& indicators; // the modem and network lamps, the signal bar
    const Settings& settings;
    LinkConnections& connections;
    // The store a received message is looked up in and stored to, the channel files that
    // record the link of last contact, and the object shown with the decoder that draws on it.
    registry::Registry& registry;
    registry::ChannelAddresses& addresses;
    CurrentObject& currentObject;
    StatePacketDecoder& decoder;
    OperatorNotices& notices;
};

// The GSM modem subsystem as the main window meets it: the link the settings window connects,
// the two modem timers and the operator's commands that talk to the modem.
class GsmModemController final : public GsmModemHandlers {
public:
    explicit GsmModemController(GsmModemContext context);

    // What the " Подключить" and "Отключить" buttons of the settings window's GSM tab run.
    LinkConnector& connector() { return connector_; }
    ModemConnection& connection() { return connection_; }

    void QueryTimerTimer() override;
    void ATTimerTimer() override;
    void Query_Send_ButtonClick() override;
    void SpeedButton_Show_Send_Comand_FormClick() override;
    void ObjectTopUpItemClick() override;
    void ObjectCommandItemClick() override;
    void lbl2Click() override;

private:
    GsmModemContext context_;
    ModemConnection connection_;
    GsmLinkWork work_;
    LinkPortConnector connector_;
};

} // namespace kvt
