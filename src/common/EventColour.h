#pragma once

#include <QtGlobal>

namespace kvt {

// The colour of an event line, as the log file stores it (blue-green-red order).
enum class EventColour : quint32 {
    White = 0xFFFFFF,
    Green = 0x8000,  // an action has started
    Red = 255,       // failure or alarm
    Yellow = 0xFFFF, // success or data received
};

} // namespace kvt
