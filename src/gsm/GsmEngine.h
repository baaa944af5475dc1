#pragma once

#include "gsm/AtExchange.h"
#include "gsm/CallDialer.h"
#include "gsm/GsmNotificationModem.h"
#include "gsm/IncomingCall.h"
#include "gsm/KeepAliveCycle.h"
#include "gsm/MessageIntake.h"
#include "gsm/ModemPortWatch.h"
#include "gsm/ObjectPoll.h"
#include "gsm/ReceiveDispatcher.h"
#include "gsm/ReceiveJournal.h"
#include "gsm/SmsSender.h"
#include "packets/StatePacketArrival.h"

namespace kvt {
class Clock;
class EventSink;
class LinkIndicators;
class MainTimers;
class ModemConnection;
class OperatorNotices;
class SerialPort;
struct ModemEngineState;
} // namespace kvt

namespace kvt::gsm {

class EngineSettings;
class EngineView;
class EventLogArchive;
class LinkReportSteps;
class ModemLinkView;
class ObjectDirectory;
class TerminalAnswerList;

// What the GSM modem engine is given by the console.
struct GsmEngineContext {
    SerialPort& port;              // Port_Modem
    Clock& clock;
    MainTimers& timers;
    ModemEngineState& state;
    LinkIndicators& indicators;    // ComLed5, ComLed4, the signal bar
    EventSink& log;
    ModemConnection& connection;   // connects the modem (PDU mode, the ticks started)
    ObjectDirectory& objects;
    EngineView& view;
    EngineSettings& settings;
    EventLogArchive& eventLog;
    LinkReportSteps& links;
    ModemLinkView& linkView;
    StatePacketArrivalHost& arrivalHost;
    OperatorNotices& messages;
    // Term_list of the command window: the terminal answers the receive dispatcher adds.
    TerminalAnswerList& terminalAnswers;
    // The connection name of the store (the alias "DRAV"); the receive journal lives there.
    QString storeConnection;
};

// The GSM modem engine assembled: the dialogue layer, the senders and calls, the receive
// dispatcher with its receive journal, the keep-alive cycle, the poll of the selected object and
// the watch over the modem port. The GSM modem controller owns one and forwards the timer ticks
// and the poll command to it.
class GsmEngine {
public:
    explicit GsmEngine(const GsmEngineContext& context);

    void QueryTimerTimer() { dispatcher_.QueryTimerTimer(); }
    void ATTimerTimer() { keepAlive_.ATTimerTimer(); }
    void Send_Ring_ButtonClick() { poll_.PollSelectedObject(); }

    AtExchange& exchange() { return exchange_; }
    SmsSender& sms() { return sms_; }
    CallDialer& calls() { return dialer_; }
    ModemPortWatch& portWatch() { return portWatch_; }
    ReceiveJournal& journal() { return journal_; }
    // The forwarding, alarm reports and alarm calls of a packet's closing steps.
    NotificationModem& notifications() { return notifications_; }
    ModemDialogueState& dialogue();

private:
    AtExchange exchange_;
    SmsSender sms_;
    CallDialer dialer_;
    GsmNotificationModem notifications_;
    ReceiveJournal journal_;
    StatePacketArrival arrival_;
    MessageIntake intake_;
    IncomingCall incomingCall_;
    ReceiveDispatcher dispatcher_;
    KeepAliveCycle keepAlive_;
    ObjectPoll poll_;
    ModemPortWatch portWatch_;
};

} // namespace kvt::gsm
