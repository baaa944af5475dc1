#pragma once

#include "commands/CommandHost.h"
#include "gsm/AtExchange.h"

#include <QObject>
#include <QString>
#include <QStringView>

#include <optional>

namespace kvt {
class EventSink;
class OperatorNotices;
} // namespace kvt

// The USSD dialogues with the console's own modem: the balance check and the top-up with the
// code of a payment card. Both collect everything the modem sends while they wait, so an answer
// that arrives in pieces is judged and shown whole.
namespace kvt::commands {

// The order in which both dialogues start the timers again: ATTimer, 300 ms, Timer2, 300 ms,
// QueryTimer.
inline const gsm::TimerRestartOrder kUssdRestart{{MainTimer::ATTimer, gsm::kRestartPauseMs},
                                                 {MainTimer::Timer2, gsm::kRestartPauseMs},
                                                 {MainTimer::QueryTimer, 0}};

// The balance of the console's modem as the link panel shows it (Label24): "?" in red until the
// first successful check, then the balance found, in black.
class DispatchBalance : public QObject {
    Q_OBJECT
public:
    static const QString kUnknown; // "?"

    const QString& text() const { return text_; }
    // False (red) until a check has succeeded.
    bool checked() const { return checked_; }
    void show(const QString& text);

signals:
    void changed();

private:
    QString text_ = kUnknown;
    bool checked_ = false;
};

// The balance request: the USSD code dialled, the text that precedes the balance in the answer
// ("Маска") and the answer length ("Длинна").
struct BalanceRequest {
    QString code;
    QString mask;
    int answerLength = 0;
};

// The balance in an answer of the network: the answer holds the mask and is longer than 20
// characters; the balance is the characters after the mask up to position p + L + 1 (p the
// mask's position, L the answer length), that is L - length of the mask + 2 characters, no
// further than the answer's end. None when the answer does not count (yet).
std::optional<QString> BalanceInAnswer(QStringView answer, const BalanceRequest& request);

// CheckBalance: dials the USSD code and reads the answer for up to 200 rounds of 100 ms; the
// balance found goes to the link panel in black with a yellow line, and the USSD session is
// closed (AT+CMEC=2, AT+CKPD=E); an "ERROR" or no answer gives a red line and keeps the balance
// shown before.
class BalanceCheck {
public:
    BalanceCheck(gsm::AtExchange& exchange, EventSink& log, DispatchBalance& balance)
        : exchange_(exchange), log_(log), balance_(balance)
    {
    }

    // True when a balance was found.
    bool CheckBalance(const BalanceRequest& request);

    static const QString kStartTitle;   // "Проверка баланса GSM модема"
    static const QString kCheckedTitle; // "Баланс ДП успешно проверен"
    static const QString kFailedTitle;  // "Баланс GSM модема не был проверен"

private:
    gsm::AtExchange& exchange_;
    EventSink& log_;
    DispatchBalance& balance_;
};

// The top-up of the console's modem (SpeedButton4Click of the top-up window): dials the card's
// code and reads the network's answer for up to 40 seconds, showing a row of dots meanwhile; the
// answer collected is shown to the operator, or a note that none came.
class DispatchTopUp final : public TopUpSender {
public:
    DispatchTopUp(gsm::AtExchange& exchange, EventSink& log, OperatorNotices& notices)
        : exchange_(exchange), log_(log), notices_(notices)
    {
    }

    void send(const QString& cardCode, const Progress& progress) override;

    static const QString kWaitText;       // "Пожалуйста подождите"
    static const QString kWaitAgainText;  // "Подождите пожалуйста"
    static const QString kNoAnswer;       // the operator's note when nothing came
    static const QString kStartTitle;     // "Пополнение баланса GSM модема ЦДП"
    static const QString kAnsweredTitle;  // a reply of the network came
    static const QString kFailedTitle;    // "Баланс GSM модема ЦДП не был пополнен"

private:
    gsm::AtExchange& exchange_;
    EventSink& log_;
    OperatorNotices& notices_;
};

} // namespace kvt::commands
