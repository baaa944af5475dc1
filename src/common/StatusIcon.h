#pragma once

namespace kvt {

// The object status icon: the image index of an object's node in the object tree (normal and
// selected index always set together). -1 shows no icon.
enum class StatusIcon : int {
    None = -1,
    Root = 0,          // root node "Список объектов"
    GsmUp = 1,         // GSM link established
    HistoryEntry = 2,  // a stored state in the history tree
    NewData = 3,       // new data of the object received
    Alarm = 4,         // alarm at the object
    Unused = 5,        // drawn, never set
    GsmDown = 6,       // no GSM link (overdue)
    SmsProblem = 7,    // alarm call, object being called back
    CheckOff = 8,      // link check switched off
    RadioUp = 9,
    RadioDown = 10,
    Rs485Up = 11,
    Rs485Down = 12,
};

} // namespace kvt
