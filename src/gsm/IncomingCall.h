#pragma once

#include <QDateTime>
#include <QString>

namespace kvt {
class Clock;
class EventSink;
} // namespace kvt

namespace kvt::gsm {

class AtExchange;
class CallDialer;
class EngineSettings;
class EngineView;
class ObjectDirectory;

// What an incoming call from an object is.
enum class CallKind {
    Alarm,      // answered briefly, then the object is called back for its data
    LinkCheck,  // the object's periodic sign of life
    Unjudged,   // the object has no last link-check time to measure from: only noted
};

// Judges a call from an object with the link-check period `period` (minutes; 0: none) whose last
// link-check call is `timeRing`: an alarm call when the period is 0, or when the minutes d since
// the last link-check call satisfy 0 <= d < period - period / 30; a link-check call otherwise.
// A `timeRing` with a full date ("d.m.yyyy  h:m") measures d from that date and time, so a call
// just after midnight is measured across it; one without a valid date compares the times of day.
CallKind JudgeIncomingCall(int period, const QString& timeRing, const QDateTime& now);

// The local time as Time_Ring keeps it: day "." month "." four-digit year, two spaces,
// hour ":" minute, numbers without leading zeros.
QString LinkCheckTimeText(const QDateTime& now);

// A call ringing in ("RING"): the caller is asked for with "AT+CLCC", an object's call is judged
// an alarm call (answered, hung up, and the object called back for its alarm data) or a
// link-check call, and a call from any other number is rejected. Runs as one dialogue.
class IncomingCall {
public:
    struct Parts {
        AtExchange& exchange;
        CallDialer& dialer;
        ObjectDirectory& objects;
        EngineView& view;
        EngineSettings& settings;
        EventSink& log;
        Clock& clock;
    };

    static const QString kAlarmCallTitle;
    static const QString kAlarmPollTitle;
    static const QString kAlarmPollFailedTitle;
    static const QString kAlarmPollDoneTitle;
    static const QString kLinkCheckTitle;
    static const QString kLinkCheckCaption;

    explicit IncomingCall(Parts parts) : parts_(parts) {}

    void handle();

private:
    QString askCaller();
    void alarmCall(const QString& caller, const QString& name);
    void linkCheckCall(const QString& name);

    Parts parts_;
};

} // namespace kvt::gsm
