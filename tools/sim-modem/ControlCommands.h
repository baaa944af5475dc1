#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace kvt::sim {

class SimModem;

// The simulator's script language, one command per line (from stdin or the control FIFO):
//
//   sms NUMBER text TEXT...        a 7-bit text message arrives (+CMTI when indications are on)
//   sms NUMBER data HEX            an 8-bit data message arrives
//   sms-pdu PDU                    a ready PDU (service-centre address first) arrives
//   store NUMBER text|data ...     a message lies in memory without a notice
//   ring NUMBER [RINGS]            an incoming call (RING every few seconds)
//   hangup                         the far end ends the call
//   signal RSSI [BER]              what +CSQ reports
//   registration STATE             what +CREG reports (1 home, 5 roaming, 0/2/3 not registered)
//   silent [SECONDS]               the modem stops answering (for ever or for a while)
//   back                           the modem answers again
//   fail-cmgs [CODE]               the next AT+CMGS gets +CMS ERROR (500 unless given)
//   ussd TEXT...                   the network's answer to USSD requests; `ussd-error` refuses
//   call-outcome [NUMBER] answer|busy|noanswer|nodialtone|reject [SECONDS]
//                                  what the far end does with the console's call, after
//                                  ringing SECONDS (the --alert-ms time unless given)
//   answer-sms NUMBER text|data PAYLOAD   what an object sends after picking up the console's call
//   terminal-answer NUMBER [TEXT...]      the object's modem answers each terminal request with
//                                  TEXT (lines split by "|"); without TEXT it stops answering
//   status                         prints the state
//   quit
//
// Every command is acknowledged on stdout with "OK <command>" or "ERROR <reason>".
class ControlCommands : public QObject {
    Q_OBJECT
public:
    explicit ControlCommands(SimModem& modem, QObject* parent = nullptr);

    // Runs one line; returns the acknowledgement.
    QString run(const QString& line);

signals:
    void note(const QString& text);
    void quitRequested();

private:
    QString deliver(const QStringList& words, const QString& line, bool announce);

    SimModem& modem_;
    QTimer silence_;
};

} // namespace kvt::sim
