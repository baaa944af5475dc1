#include "commands/UssdDialogues.h"

#include "common/EventSink.h"
#include "common/OperatorNotices.h"
#include "common/TextPos.h"
#include "gsm/ModemInterface.h"

namespace kvt::commands {

namespace {

// Balance check: rounds of 100 ms, each reading up to 200 characters.
constexpr int kBalanceRounds = 200;
constexpr int kBalanceRoundMs = 100;
constexpr int kBalanceReadCount = 200;
// An answer of this length or less is not taken as the balance, mask or not.
constexpr int kShortestBalanceAnswer = 20;
// Pauses around the end of the USSD session and before the timers start after a failure.
constexpr int kSessionPauseMs = 200;

// Top-up: rounds of one second, each reading up to 250 characters, until more than 40 came.
constexpr int kTopUpRounds = 40;
constexpr int kTopUpRoundMs = 1000;
constexpr int kTopUpReadCount = 250;
constexpr int kTopUpAnswerLength = 40;
// The progress label starts again when it has grown longer than this.
constexpr int kLongestProgress = 25;
const QString kProgressDot = QStringLiteral(".");

} // namespace

const QString DispatchBalance::kUnknown = QStringLiteral("?");

void DispatchBalance::show(const QString& text)
{
    text_ = text;
    checked_ = true;
    emit changed();
}

std::optional<QString> BalanceInAnswer(QStringView answer, const BalanceRequest& request)
{
    const int position = Pos(request.mask, answer);
    if (position == 0 || answer.size() <= kShortestBalanceAnswer)
        return std::nullopt;
    const int maskLength = int(request.mask.size());
    const int lastPosition = position + request.answerLength + 1;
    const int first = position + maskLength;
    return Copy(answer, first, lastPosition - first + 1);
}

const QString BalanceCheck::kStartTitle = QStringLiteral("Проверка баланса GSM модема");
const QString BalanceCheck::kCheckedTitle = QStringLiteral("Баланс ДП успешно проверен");
const QString BalanceCheck::kFailedTitle = QStringLiteral("Баланс GSM модема не был проверен");

bool BalanceCheck::CheckBalance(const BalanceRequest& request)
{
    bool found = false;
    exchange_.dialogue(kUssdRestart, [&] {
        exchange_.write(modem::CodeDialCommand(request.code));
        log_.LogEvent(kStartTitle, QString(), EventColour::Green);
        exchange_.purge();
        QString answer;
        std::optional<QString> balance;
        for (int round = 0; round < kBalanceRounds && !balance; ++round) {
            exchange_.wait(kBalanceRoundMs);
            answer += exchange_.readLines(kBalanceReadCount);
            balance = BalanceInAnswer(answer, request);
            if (!balance && answer.contains(modem::kError))
                break;
        }
        if (!balance) {
            exchange_.wait(kSessionPauseMs);
            return;
        }
        found = true;
        balance_.show(*balance);
        log_.LogEvent(kCheckedTitle, QStringLiteral(" - ") + *balance, EventColour::Yellow);
        // The network keeps the USSD session open: end it with the keypad's end key, before the
        // timers start again, so that the keep-alive cycle does not talk into it.
        exchange_.wait(kSessionPauseMs);
        exchange_.write(modem::kKeypadControl);
        exchange_.wait(kSessionPauseMs);
        exchange_.write(modem::kKeypadEnd);
        exchange_.wait(kSessionPauseMs);
    });
    if (!found)
        log_.LogEvent(kFailedTitle, QString(), EventColour::Red);
    return found;
}

const QString DispatchTopUp::kWaitText = QStringLiteral("Пожалуйста подождите");
const QString DispatchTopUp::kWaitAgainText = QStringLiteral("Подождите пожалуйста");
const QString DispatchTopUp::kNoAnswer =
    QStringLiteral("Ответ оператора сотовой связи на совершенное вами действие, не был получен.");
const QString DispatchTopUp::kStartTitle = QStringLiteral("Пополнение баланса GSM модема ЦДП");
const QString DispatchTopUp::kAnsweredTitle =
    QStringLiteral("Получен ответ оператора сотовой связи на пополнение баланса GSM модема ЦДП");
const QString DispatchTopUp::kFailedTitle = QStringLiteral("Баланс GSM модема ЦДП не был пополнен");

void DispatchTopUp::send(const QString& cardCode, const Progress& progress)
{
    QString label = kWaitText;
    progress(label);
    QString answer;
    exchange_.dialogue(kUssdRestart, [&] {
        exchange_.write(modem::CodeDialCommand(cardCode));
        log_.LogEvent(kStartTitle, QString(), EventColour::Green);
        exchange_.purge();
        for (int round = 0; round < kTopUpRounds; ++round) {
            exchange_.wait(kTopUpRoundMs);
            answer += exchange_.readLines(kTopUpReadCount);
            if (label.size() > kLongestProgress)
                label = kWaitAgainText;
            label += kProgressDot;
            progress(label);
            if (answer.size() > kTopUpAnswerLength)
                break;
        }
    });
    progress(QString());
    if (answer.isEmpty()) {
        answer = kNoAnswer;
        log_.LogEvent(kFailedTitle, QString(), EventColour::Red);
    } else {
        // The green line must not stay last: it would hold back every later modem action.
        log_.LogEvent(kAnsweredTitle, QString(), EventColour::Yellow);
    }
    notices_.notice(answer);
}

} // namespace kvt::commands
