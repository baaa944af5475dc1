#pragma once

#include <QDateTime>
#include <QString>

namespace kvt::links {

// How a GSM object's last link-check call stands against its check period.
struct LinkCheckVerdict {
    enum class Kind {
        InTime,
        Overdue,
        // Time_Ring lacks its day, hours or minutes: the object is not judged.
        Incomplete,
        // A part of Time_Ring is not a decimal number: the object is not judged.
        NotANumber,
    };
    Kind kind = Kind::Incomplete;
    // The part that is not a number.
    QString badPart;
};

// The overdue limit of a check period P in minutes: 2 * P + 5 * (P div 60).
int OverdueLimitMinutes(int period);

// Minute + 60 * hour + 1440 * (day - 1): a point in time reduced to minutes since the start of
// its month.
int MinuteOfMonth(int day, int hour, int minute);

// Judges the last link-check call `timeRing` (Time_Ring: "d.m.yyyy  h:mm") of an object with the
// check period `period` (minutes) at the local time `now`.
//
// Day, hours and minutes are cut from Time_Ring as the console always has: the day up to the
// first ".", the hours after the first run of two spaces up to the next ":", the minutes after
// the first ":" up to the next ":". When Time_Ring holds a whole valid date and time, the
// elapsed time is counted from that moment, so that a call a month ago is a month ago. Without
// one ("00.00.00  00:00" of an object that never called) both moments are reduced to minutes of
// their month, and a call that seems to lie ahead is moved back by the days of the current
// month, as the calendar counts them.
LinkCheckVerdict JudgeLinkCheck(const QString& timeRing, int period, const QDateTime& now);

} // namespace kvt::links
