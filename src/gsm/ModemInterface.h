#pragma once

// The AT dialogue of the GSM modem (3GPP TS 27.007 / 27.005, SMS in PDU mode): every command the
// console writes and every reply text it looks for. Replies are found by a plain substring search
// in what was read; there is no line framing.

#include <QChar>
#include <QLatin1String>
#include <QString>

namespace kvt::modem {

// Line end of every command and of every reply line; any CR LF read counts as a sign of life.
inline constexpr QLatin1String kCrLf("\r\n");
// Ends the PDU of AT+CMGS (Ctrl-Z).
inline constexpr QChar kCtrlZ(26);

// --- Commands ------------------------------------------------------------------------------

// Network registration query; answered by kRegistration.
inline constexpr QLatin1String kRegistrationQuery("AT+CREG?\r\n");
// Signal quality query; answered by kSignalQuality.
inline constexpr QLatin1String kSignalQualityQuery("AT+CSQ\r\n");
// Echo off; no reply relied on.
inline constexpr QLatin1String kEchoOff("ATE0\r\n");
// New-message indications: afterwards every new message is announced by kNewMessage.
inline constexpr QLatin1String kNewMessageIndications("AT+CNMI=1,1,0,0\r\n");
// Escape, then an empty line: ends a message prompt (">") that a console stopped in the middle
// of sending left open (3GPP TS 27.005 §3.5.1: ESC cancels the message); a modem in command
// mode ignores it.
inline constexpr QLatin1String kCancelMessageInput("\x1B\r\n");
// SMS in PDU mode (the console never uses text mode); answered by kOk.
inline constexpr QLatin1String kPduMode("AT+CMGF=0\r\n");
// Message format query; answered by kPduModeReport in PDU mode.
inline constexpr QLatin1String kMessageFormatQuery("AT+CMGF?\r\n");
// Call list; during an outgoing call kCallAlerting / kCallActive, after RING the incoming call.
inline constexpr QLatin1String kListCalls("AT+CLCC\r\n");
// Answer an incoming call; hang up. No reply relied on.
inline constexpr QLatin1String kAnswer("ATA\r\n");
inline constexpr QLatin1String kHangUp("ATH\r\n");
// Keypad control and the end key: close a USSD dialogue by keypad emulation.
inline constexpr QLatin1String kKeypadControl("AT+CMEC=2\r\n");
inline constexpr QLatin1String kKeypadEnd("AT+CKPD=E\r\n");
// Plain attention; the answer is read and discarded.
inline constexpr QLatin1String kAttention("AT\r\n");

inline constexpr QLatin1String kPreferredStoragePrefix("AT+CPMS=");
inline constexpr QLatin1String kReadMessagePrefix("AT+CMGR=");
inline constexpr QLatin1String kDeleteMessagePrefix("AT+CMGD=");
inline constexpr QLatin1String kSendMessagePrefix("AT+CMGS=");
inline constexpr QLatin1String kDialPrefix("ATD");
inline constexpr QLatin1String kVoiceDialPrefix("ATD+");
inline constexpr QLatin1String kDialSuffix(";");

// "AT+CPMS=" + memory (empty, ME or SM, no quotes); answered by kStorage.
inline QString PreferredStorageCommand(const QString& memory)
{
    return kPreferredStoragePrefix + memory + kCrLf;
}
// "AT+CMGR=" + index; the stored message comes back as a PDU line beginning kPduStart.
inline QString ReadMessageCommand(const QString& index)
{
    return kReadMessagePrefix + index + kCrLf;
}
// "AT+CMGD=" + index; answered by kOk.
inline QString DeleteMessageCommand(const QString& index)
{
    return kDeleteMessagePrefix + index + kCrLf;
}
// "AT+CMGS=" + TPDU length in octets; the modem prompts kSendPrompt for the PDU, which goes out
// followed by kCtrlZ; accepted messages are confirmed by kMessageSent.
inline QString SendMessageCommand(int tpduLength)
{
    return kSendMessagePrefix + QString::number(tpduLength) + kCrLf;
}
// Voice call to an international number (digits without "+"); answered by kOk or kError.
inline QString VoiceDialCommand(const QString& phone)
{
    return kVoiceDialPrefix + phone + kDialSuffix + kCrLf;
}
// A USSD request or top-up code; answered by the network's text or kError.
inline QString CodeDialCommand(const QString& code)
{
    return kDialPrefix + code + kDialSuffix + kCrLf;
}

// --- Replies -------------------------------------------------------------------------------

inline constexpr QLatin1String kOk("OK");
inline constexpr QLatin1String kError("ERROR");
// Final results that carry an error code (equipment, message service).
inline constexpr QLatin1String kEquipmentError("+CME ERROR:");
inline constexpr QLatin1String kMessageServiceError("+CMS ERROR:");
// Final results of a call that could not be made or has ended.
inline constexpr QLatin1String kNoCarrier("NO CARRIER");
inline constexpr QLatin1String kNoAnswer("NO ANSWER");

// "+CREG: n,s": the registration state s stands this many characters after the "+".
inline constexpr QLatin1String kRegistration("+CREG:");
inline constexpr int kRegistrationStateOffset = 9;
inline constexpr QChar kRegisteredHome('1');
inline constexpr QChar kRegisteredRoaming('5');

// "+CSQ: r,b": signal strength r (0..31, 99 unknown) and bit error rate b. A one-digit r stands
// this many characters after the "+"; a two-digit r starts there when the comma stands at
// kSignalTwoDigitCommaOffset.
inline constexpr QLatin1String kSignalQuality("+CSQ:");
inline constexpr int kSignalDigitsOffset = 6;
inline constexpr int kSignalTwoDigitCommaOffset = 8;
inline constexpr int kStrongestSignal = 31;

// Unsolicited notice of a new message: +CMTI: "SM",<index>.
inline constexpr QLatin1String kNewMessage("+CMTI:");
// "+CPMS: used,total,...": the used count comes first.
inline constexpr QLatin1String kStorage("+CPMS:");
// A stored message in PDU mode begins with the service-centre address "07" "91".
inline constexpr QLatin1String kPduStart("0791");
// Prompt for the PDU after AT+CMGS (not read by the console).
inline constexpr QLatin1String kSendPrompt("> ");
// The modem accepted a submitted message: +CMGS: <reference>.
inline constexpr QLatin1String kMessageSent("+CMGS:");
// Answer to kMessageFormatQuery in PDU mode.
inline constexpr QLatin1String kPduModeReport("+CMGF: 0");

// Unsolicited notice of an incoming call.
inline constexpr QLatin1String kRing("RING");
// Any call-list line; with the trailing space as the outgoing-call watch looks for it.
inline constexpr QLatin1String kCallList("+CLCC:");
inline constexpr QLatin1String kCallListLine("+CLCC: ");
// Our outgoing voice call (index 1, mobile originated): alerting at the far end; active.
inline constexpr QLatin1String kCallAlerting("+CLCC: 1,0,3,0,0");
inline constexpr QLatin1String kCallActive("+CLCC: 1,0,0,0,0");
inline constexpr QLatin1String kNoDialtone("NO DIALTONE");
inline constexpr QLatin1String kBusy("BUSY");
// In the call-list line of an incoming call the caller's digits start this many characters after
// the "+" (after the quote and an optional "+"); an "8" one place earlier marks a national number.
inline constexpr int kCallerNumberOffset = 19;
inline constexpr int kNationalMarkOffset = 18;
inline constexpr QChar kNationalPrefix('8');
inline constexpr QChar kInternationalPrefix('7');

} // namespace kvt::modem
