#pragma once

#include "CallModel.h"
#include "MessageStore.h"
#include "common/Clock.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace kvt::sim {

struct SimSettings {
    CallTimings calls;
    int submitDelayMs = 1000;    // from the PDU's Ctrl-Z to +CMGS
    int ussdDelayMs = 800;       // from the USSD request to the network's answer
    int answerSmsDelayMs = 2000; // from an answered call to the object's reply message
    int storeCapacity = 30;
    bool echo = true;
    int messageFormat = 0;       // AT+CMGF: 0 PDU, 1 text
    int rssi = 20;
    int ber = 0;
    int registration = 1;        // +CREG state: 1 home, 5 roaming, 0/2/3/4 not registered
    QString serviceCentre = QStringLiteral("79000000000");
    QString ussdAnswer = QStringLiteral("Баланс 150.25 р.");
};

// The AT side of a GSM modem (3GPP TS 27.007 / 27.005): takes the bytes the console writes and
// answers as a modem does, with echo, result codes, the message memory, voice calls and USSD.
// The network side is driven by the control methods.
class SimModem : public QObject {
    Q_OBJECT
public:
    explicit SimModem(SimSettings settings, QObject* parent = nullptr);

    // Bytes written by the console.
    void receive(const QByteArray& bytes);

    // Network side.
    // A message arrives; announced with +CMTI when new-message indications are on and `announce`.
    std::optional<int> deliver(StoredMessage message, bool announce);
    StoredMessage makeMessage(const QString& sender, bool data, const QByteArray& payload) const;
    StoredMessage makeRawMessage(const QString& pdu) const;
    bool ring(const QString& number, int rings) { return calls_.ringFrom(number, rings); }
    void farEndHangsUp();
    void setSignal(int rssi, int ber);
    void setRegistration(int state) { settings_.registration = state; }
    void setSilent(bool silent);
    void failNextSubmit(int code) { failNextSubmit_ = code; }
    void setUssdAnswer(const QString& text, bool error);
    // After the console's call to `number` is answered, that number sends this message.
    void setAnswerMessage(const QString& number, bool data, const QByteArray& payload);
    // The object's modem at `number` runs the terminal requests sent to it and answers each with
    // a terminal answer carrying `text`; an empty text stops the answers.
    void setTerminalAnswer(const QString& number, const QString& text);
    CallModel& calls() { return calls_; }

    bool silent() const { return silent_; }
    int messageFormat() const { return settings_.messageFormat; }
    bool echo() const { return settings_.echo; }
    bool indicationsOn() const { return indicationsOn_; }
    const MessageStore& store() const { return store_; }
    QString statusText() const;

signals:
    // Bytes for the console.
    void output(const QByteArray& bytes);
    // A line for whoever runs the simulator (stdout).
    void event(const QString& line);

private:
    enum class Input { Command, SubmitBody };

    void send(const QByteArray& bytes);
    void answer(const QByteArrayList& info, const QByteArray& final = "OK");
    void handleLine(const QByteArray& line);
    void handleCommand(const QByteArray& command, const QByteArray& upper);
    void storageCommand(const QByteArray& parameters);
    void readMessage(const QByteArray& parameters);
    void deleteMessage(const QByteArray& parameters);
    void startSubmit(const QByteArray& parameters);
    void finishSubmit();
    // A data message the console sent to an object: a terminal request is answered.
    void dataSubmitted(const QString& destination, const QString& userData);
    void dial(const QByteArray& target);
    void ussd(const QByteArray& code);
    bool registered() const { return settings_.registration == 1 || settings_.registration == 5; }
    QByteArray readResponse(int index, const StoredMessage& message) const;

    SimSettings settings_;
    // The modem's own clock: the time stamps of the messages it receives.
    SystemClock clock_;
    MessageStore store_;
    CallModel calls_;
    Input input_ = Input::Command;
    QByteArray line_;
    QByteArray submitBody_;
    int submitLength_ = 0;
    QString submitDestination_;
    bool silent_ = false;
    bool indicationsOn_ = false;
    int registrationMode_ = 0;
    int messageReference_ = 0;
    std::optional<int> failNextSubmit_;
    bool ussdError_ = false;
    QString answerNumber_;
    std::optional<StoredMessage> answerMessage_;
    QHash<QString, QString> terminalAnswers_;
};

} // namespace kvt::sim
