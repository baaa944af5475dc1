#pragma once

#include "trends/TrendControls.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace kvt {

// One value of one packet: the text the control shows and the number it reads as.
struct TrendValue {
    QString text;
    double number = 0;
};

// One stored packet in the range of a trend.
struct TrendRow {
    QDateTime at;       // its receipt time
    bool alarm = false; // full processing raises an alarm for it
    // One per value of the table; nothing where the packet shows no number for it (a gap).
    std::vector<std::optional<TrendValue>> values;
};

// The chosen values of an object over a range of its history, one row per stored packet in
// the range, ordered by receipt time (packets of the same minute in the order they were
// stored), with the counts the window's status line reports.
struct TrendTable {
    std::vector<TrendControl> columns;
    std::vector<TrendRow> rows;
    qint64 packetsTotal = 0;      // stored packets of the object
    qint64 packetsRead = 0;       // of them, read before the end or a cancel
    qint64 unreadableStamps = 0;  // skipped: the receipt stamp names no date and time
    qint64 outsideRange = 0;
    bool cancelled = false;

    qint64 alarmCount() const;
};

// What the table holds in one line for the operator: the packets in the period and the alarms
// among them, the packets skipped for a receipt stamp that names no time, or how far a
// cancelled reading got.
QString TrendSummary(const TrendTable& table);

} // namespace kvt
