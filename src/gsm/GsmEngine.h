#pragma once

#include "gsm/AtExchange.h"
#include "gsm/CallDialer.h"
#include "gsm/IncomingCall.h"
#include "gsm/KeepAliveCycle.h"
#include "gsm/MessageIntake.h"
#include "gsm/ModemPortWatch.h"
#include "gsm/ObjectPoll.h"
#include "gsm/ReceiveDispatcher.h"
#include "gsm/ReceiveJournal.h"
#include "gsm/SmsSender.h"
#include "gsm/TerminalAnswerList.h"
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
    TerminalAnswerList& terminalAnswers() { return terminalAnswers_; }
    ReceiveJournal& journal() { return journal_; }
    ModemDialogueState& dialogue();

private:
    AtExchange exchange_;
    SmsSender sms_;
    CallDialer dialer_;
    ReceiveJournal journal_;
    TerminalAnswerList terminalAnswers_;
    StatePacketArrival arrival_;
    MessageIntake intake_;
    IncomingCall incomingCall_;
    ReceiveDispatcher dispatcher_;
    KeepAliveCycle keepAlive_;
    ObjectPoll poll_;
    ModemPortWatch portWatch_;
};

} // namespace kvt::gsm
