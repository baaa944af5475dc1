#include "gsm/CallDialer.h"

#include "common/Clock.h"
#include "gsm/AtExchange.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"

#include <optional>

namespace kvt::gsm {

namespace {
constexpr int kBeforeDialMs = 500;
constexpr ReadPlan kDialAck{130, 100, 50};
constexpr int kBeforeWatchMs = 1000;
constexpr int kCallStateReadings = 40;
constexpr int kNoCallReadingsToEnd = 4;
constexpr int kRingingReadings = 10;
constexpr int kReadingWaitMs = 500;
constexpr int kReadingCount = 250;
constexpr int kAfterAnswerMs = 200;
} // namespace

CallDialer::DialAck CallDialer::dial(const QString& phone)
{
    exchange_.wait(kBeforeDialMs);
    exchange_.purge();
    exchange_.write(modem::VoiceDialCommand(phone));
    exchange_.setCallUp(true);
    // BUSY, NO CARRIER and the like end the call as surely as ERROR: nothing follows them.
    const QString ack = exchange_.readUntil(
        kDialAck, [](QStringView text) { return modem::LastFinalResult(text) != modem::FinalResult::None; });
    switch (modem::LastFinalResult(ack)) {
    case modem::FinalResult::Ok: return DialAck::Ok;
    case modem::FinalResult::Error: return DialAck::Refused;
    case modem::FinalResult::Busy: return DialAck::Busy;
    case modem::FinalResult::NoAnswer: return DialAck::NoAnswer;
    default: return DialAck::None;
    }
}

QString CallDialer::callReading()
{
    exchange_.write(modem::kListCalls);
    exchange_.wait(kReadingWaitMs);
    return exchange_.readLines(kReadingCount);
}

bool CallDialer::DialObject(const QString& phone)
{
    bool pickedUp = false;
    exchange_.dialogue(restart::kSenders, [&] {
        if (dial(phone) != DialAck::Ok) {
            exchange_.write(modem::kHangUp);
            exchange_.setCallUp(false);
            return;
        }
        exchange_.wait(kBeforeWatchMs);
        enum class State { TimedOut, Alerting, Answered, Ended } state = State::TimedOut;
        int noCallReadings = 0;
        for (int reading = 0; reading < kCallStateReadings && state == State::TimedOut; ++reading) {
            const modem::OutgoingCallReading seen = modem::ReadOutgoingCall(callReading());
            if (seen.alerting)
                state = State::Alerting;
            else if (seen.active)
                state = State::Answered;
            else if (seen.noCall && ++noCallReadings == kNoCallReadingsToEnd)
                state = State::Ended;
        }
        pickedUp = state == State::Answered;
        for (int reading = 0; state == State::Alerting && reading < kRingingReadings; ++reading) {
            const modem::OutgoingCallReading seen = modem::ReadOutgoingCall(callReading());
            if (seen.active) {
                exchange_.wait(kAfterAnswerMs);
                pickedUp = true;
                break;
            }
            if (seen.noDialtone || seen.busy || seen.noCall)
                break;
        }
        exchange_.write(modem::kHangUp);
        exchange_.setCallUp(false);
    });
    return pickedUp;
}

SubscriberCallOutcome CallDialer::CallSubscriber(const QString& phone)
{
    SubscriberCallOutcome outcome = SubscriberCallOutcome::Failed;
    exchange_.dialogue(restart::kSenders, [&] {
        const DialAck ack = dial(phone);
        if (ack == DialAck::Ok)
            outcome = watchSubscriberCall();
        else if (ack == DialAck::Busy)
            outcome = SubscriberCallOutcome::Busy;
        else if (ack == DialAck::NoAnswer)
            outcome = SubscriberCallOutcome::NotAnswered;
        exchange_.write(modem::kHangUp);
        exchange_.setCallUp(false);
    });
    return outcome;
}

SubscriberCallOutcome CallDialer::watchSubscriberCall()
{
    Clock& clock = exchange_.clock();
    std::optional<qint64> ringingSince;
    for (int setupReadings = 0; ringingSince || setupReadings < kCallStateReadings;) {
        const modem::OutgoingCallReading seen = modem::ReadOutgoingCall(callReading());
        if (seen.active)
            return SubscriberCallOutcome::Answered;
        if (seen.busy)
            return SubscriberCallOutcome::Busy;
        if (seen.noAnswer)
            return SubscriberCallOutcome::NotAnswered;
        if (seen.noDialtone)
            return SubscriberCallOutcome::Failed;
        // Gone while ringing: the subscriber turned it down; gone before: it was never set up.
        if (seen.noCall || seen.noCarrier)
            return ringingSince ? SubscriberCallOutcome::Refused : SubscriberCallOutcome::Failed;
        if (seen.alerting && !ringingSince)
            ringingSince = clock.ticks();
        if (ringingSince && clock.ticks() - *ringingSince >= kSubscriberRingMs)
            return SubscriberCallOutcome::NotAnswered;
        if (!ringingSince)
            ++setupReadings;
    }
    return SubscriberCallOutcome::Failed;
}

} // namespace kvt::gsm
