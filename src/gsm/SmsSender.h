#pragma once

#include <QString>

namespace kvt::gsm {

class AtExchange;

// The three SMS senders of the console and their shared submit dialogue: the PDU goes out with
// "AT+CMGS=" and Ctrl-Z, and the sender reads until the modem confirms it with "+CMGS:".
// Each returns true when the modem accepted the message, false when it refused it, never
// confirmed it, or the modem port is closed (the timers are then left as they were).
class SmsSender {
public:
    explicit SmsSender(AtExchange& exchange) : exchange_(exchange) {}

    // 8-bit data (hex text) to the phone: commands, settings, top-up and terminal requests.
    bool SendDataSms(const QString& dataHex, const QString& phone);
    // The first 140 characters of the text as 8-bit data: the summary sent to the dispatch point.
    bool SendOctetTextSms(const QString& text, const QString& phone);
    // The first 160 characters of the text in the GSM 7-bit alphabet: alarm reports.
    bool SendTextSms(const QString& text, const QString& phone);
    // After a failed message: "AT", 200 ms, up to 20 characters read and discarded.
    void ResetAfterFailedSms();

    // How the senders differ.
    struct Profile {
        int promptWaitMs;  // after "AT+CMGS=" for the prompt, which is not read
        int reads;         // reads of 20 bytes, 200 ms apart, for "+CMGS:"
        bool extraRead;    // one more read afterwards, discarded
    };
    static constexpr int kOctetTextLimit = 140;
    static constexpr int kTextLimit = 160;

private:
    bool SendSmsPdu(const QString& pdu, const Profile& profile);

    AtExchange& exchange_;
};

} // namespace kvt::gsm
