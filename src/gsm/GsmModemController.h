#pragma once

#include "gsm/GsmEngine.h"
#include "gsm/GsmLinkWork.h"
#include "gsm/GsmModemHandlers.h"
#include "gsm/ModemConnection.h"
#include "gsm/TerminalAnswerList.h"
#include "settings/LinkPortConnector.h"

#include <memory>

namespace kvt {

class Clock;
class EventSink;
class LinkConnections;
class LinkIndicators;
class MainTimers;
class NotificationModem;
class OperatorNotices;
class SerialPort;
class Settings;
class StatePacketArrivalHost;
struct ModemEngineState;

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
    OperatorNotices& notices;
};

// What the GSM engine reaches of the main window and the store, handed in once the main window
// exists: the objects table, the window, the settings it reads, the event list, the radio and
// RS-485 steps of the receive dispatcher, the GSM link's buttons and the steps of a state
// packet's arrival; and the connection name of the store, where the receive journal lives.
struct GsmEngineAdapters {
    gsm::ObjectDirectory& objects;
    gsm::EngineView& view;
    gsm::EngineSettings& settings;
    gsm::EventLogArchive& eventLog;
    gsm::LinkReportSteps& links;
    gsm::ModemLinkView& linkView;
    StatePacketArrivalHost& arrivalHost;
    QString storeConnection;
};

// The GSM modem subsystem as the main window meets it: the link the settings window connects,
// the two modem timers and the operator's commands that talk to the modem, all run by the GSM
// engine once it is attached.
class GsmModemController final : public GsmModemHandlers {
public:
    explicit GsmModemController(GsmModemContext context);
    ~GsmModemController() override;

    // What the " Подключить" and "Отключить" buttons of the settings window's GSM tab run.
    LinkConnector& connector() { return connector_; }
    ModemConnection& connection() { return connection_; }

    // Assembles the engine over the adapters, which must outlive it (until detach()).
    void attach(const GsmEngineAdapters& adapters);
    void detach();
    bool attached() const { return engine_ != nullptr; }
    // The engine; std::logic_error while none is attached.
    gsm::GsmEngine& engine();

    // Term_list of the command window: the answers of object modems to terminal commands.
    gsm::TerminalAnswerList& terminalAnswers() { return terminalAnswers_; }
    // The modem as the closing steps of a packet use it (forwarding, alarm reports and calls).
    NotificationModem& notificationModem() { return engine().notifications(); }

    void QueryTimerTimer() override;
    void ATTimerTimer() override;
    void Query_Send_ButtonClick() override;

private:
    // A modem tick that comes while a dialogue holds the port (a timer started again by the
    // error handler in the middle of it) does nothing: the dialogue starts the ticks again
    // when it ends.
    bool tickMayRun() const;

    GsmModemContext context_;
    ModemConnection connection_;
    GsmLinkWork work_;
    LinkPortConnector connector_;
    gsm::TerminalAnswerList terminalAnswers_;
    std::unique_ptr<gsm::GsmEngine> engine_;
};

} // namespace kvt
