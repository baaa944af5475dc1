#include "CallModel.h"

namespace kvt::sim {

namespace {
const QByteArray kCrLf("\r\n");
constexpr int kVoiceMode = 0;
constexpr int kMobileOriginated = 0;
constexpr int kMobileTerminated = 1;
constexpr int kInternationalType = 145;
constexpr int kNationalType = 129;
} // namespace

std::optional<CallOutcome> ParseCallOutcome(const QString& word)
{
    for (CallOutcome outcome : {CallOutcome::Answer, CallOutcome::Busy, CallOutcome::NoAnswer,
                                CallOutcome::NoDialtone, CallOutcome::Reject}) {
        if (CallOutcomeName(outcome).compare(word, Qt::CaseInsensitive) == 0)
            return outcome;
    }
    return std::nullopt;
}

QString CallOutcomeName(CallOutcome outcome)
{
    switch (outcome) {
    case CallOutcome::Answer: return QStringLiteral("answer");
    case CallOutcome::Busy: return QStringLiteral("busy");
    case CallOutcome::NoAnswer: return QStringLiteral("noanswer");
    case CallOutcome::NoDialtone: return QStringLiteral("nodialtone");
    case CallOutcome::Reject: return QStringLiteral("reject");
    }
    return {};
}

CallModel::CallModel(CallTimings timings, QObject* parent) : QObject(parent), timings_(timings)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CallModel::step);
}

CallOutcome CallModel::outcomeFor(const QString& number) const
{
    const auto found = outcomes_.find(number);
    return found == outcomes_.end() ? defaultOutcome_ : found->second;
}

int CallModel::ringingFor(const QString& number) const
{
    const auto found = ringingMs_.find(number);
    return found == ringingMs_.end() ? timings_.alertMs : found->second;
}

QByteArray CallModel::dial(const QString& number)
{
    const CallOutcome outcome = outcomeFor(number);
    if (inCall() || outcome == CallOutcome::Reject)
        return "ERROR";
    if (outcome == CallOutcome::NoDialtone)
        return "NO DIALTONE";
    incoming_ = false;
    number_ = number;
    state_ = kDialling;
    timer_.start(timings_.dialMs);
    return "OK";
}

bool CallModel::ringFrom(const QString& number, int rings)
{
    if (inCall())
        return false;
    incoming_ = true;
    number_ = number;
    state_ = kIncoming;
    ringsLeft_ = rings > 0 ? rings : timings_.maxRings;
    step();
    return true;
}

bool CallModel::answer()
{
    if (!inCall() || !incoming_ || *state_ != kIncoming)
        return false;
    state_ = kActive;
    timer_.stop();
    return true;
}

void CallModel::hangUp()
{
    timer_.stop();
    state_.reset();
    number_.clear();
}

void CallModel::end(const QByteArray& notice)
{
    hangUp();
    if (!notice.isEmpty())
        emit unsolicited(kCrLf + notice + kCrLf);
}

void CallModel::step()
{
    if (!state_)
        return;
    if (incoming_) {
        if (*state_ != kIncoming)
            return;
        if (ringsLeft_-- <= 0) {
            end("NO CARRIER"); // the caller gave up
            return;
        }
        emit unsolicited(kCrLf + "RING" + kCrLf);
        timer_.start(timings_.ringIntervalMs);
        return;
    }
    const CallOutcome outcome = outcomeFor(number_);
    if (*state_ == kDialling) {
        if (outcome == CallOutcome::Busy) {
            end("BUSY");
            return;
        }
        state_ = kAlerting;
        timer_.start(ringingFor(number_));
        return;
    }
    if (*state_ == kAlerting) {
        if (outcome == CallOutcome::Answer) {
            state_ = kActive;
            emit answered(number_);
        } else {
            end("NO ANSWER");
        }
    }
}

QByteArray CallModel::listLine() const
{
    if (!state_)
        return {};
    QString shown = number_;
    int type = kInternationalType;
    if (shown.startsWith(QLatin1Char('8')))
        type = kNationalType;
    else if (!shown.startsWith(QLatin1Char('+')))
        shown.prepend(QLatin1Char('+'));
    return QStringLiteral("+CLCC: 1,%1,%2,%3,0,\"%4\",%5")
        .arg(incoming_ ? kMobileTerminated : kMobileOriginated)
        .arg(*state_)
        .arg(kVoiceMode)
        .arg(shown)
        .arg(type)
        .toLatin1();
}

} // namespace kvt::sim
