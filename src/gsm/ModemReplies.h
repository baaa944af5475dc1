#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Readers of the modem's replies (3GPP TS 27.007 / 27.005). Each takes what has been read so far,
// unsolicited lines ("RING", "+CMTI: ...", "+CREG: ...") and echoes included, and judges only
// complete lines: a reply line counts once its CR LF has arrived, so "+CSQ: 1" read before
// "5,0" and the CR LF is no answer yet. Where the console's behaviour rests on fixed character
// positions of a reply, the readers keep them.
namespace kvt::modem {

// Final result codes of a command (TS 27.007 §5.7.1).
enum class FinalResult { None, Ok, Error, Busy, NoDialtone, NoCarrier, NoAnswer };

// The last final result code among the complete lines; None while there is none.
FinalResult LastFinalResult(QStringView text);

// "+CREG: n,s": true when the state s, 9 characters after the "+", is "1" (home network) or "5"
// (roaming); false for any other state. The unsolicited form "+CREG: s" is read likewise. The
// latest complete answer counts; nullopt while there is none.
std::optional<bool> RegisteredInNetwork(QStringView text);

// "+CSQ: r,b" as the signal bar's percentage: r is the two digits 6 and 7 characters after the
// "+" when the character 8 after it is a comma, else the single digit 6 after it; r of 0..31
// gives r * 100 / 31 (integer part), 32 and above (99: not known) give 0. The latest complete
// answer counts; nullopt while there is none or r is not a number.
std::optional<int> SignalPercent(QStringView text);

// The storage index of every complete "+CMTI: <mem>,<index>" notice, read whole ("123"), in the
// order they came.
QStringList NewMessageIndexes(QStringView text);

// "+CPMS: used,total,...": the count of used entries (a leading quoted memory name, as in the
// answer to "AT+CPMS?", is skipped). The latest complete answer counts.
std::optional<int> StoredMessageCount(QStringView text);

// The caller of an incoming call from its "+CLCC:" line: the digits between the quotes, an
// optional "+" dropped, an 11-digit national number beginning with 8 turned into the
// international form beginning with 7. The line of an incoming call (direction 1) is preferred.
// An empty text when the line carries no number; nullopt while no complete line has come.
std::optional<QString> IncomingCallerNumber(QStringView text);

// What one reading of "AT+CLCC" during the console's own outgoing call shows.
struct OutgoingCallReading {
    bool alerting = false;   // "+CLCC: 1,0,3,0,0": ringing at the far end
    bool active = false;     // "+CLCC: 1,0,0,0,0": the far end picked up
    bool noCall = false;     // "OK" without any "+CLCC: " line: no call in progress
    bool busy = false;       // "BUSY"
    bool noDialtone = false; // "NO DIALTONE"
    bool noCarrier = false;  // "NO CARRIER"
    bool noAnswer = false;   // "NO ANSWER"
};
OutgoingCallReading ReadOutgoingCall(QStringView reading);

// True once a complete "+CMGS: <reference>" line has come: the modem accepted the message.
bool MessageAccepted(QStringView text);

} // namespace kvt::modem
