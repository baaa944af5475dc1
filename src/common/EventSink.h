#pragma once

#include "common/EventColour.h"

#include <QString>

namespace kvt {

// Where noteworthy steps are logged. The event log implements it; tests record the lines.
class EventSink {
public:
    virtual ~EventSink() = default;

    virtual void LogEvent(const QString& title, const QString& text, EventColour colour) = 0;
    // True while an operator action that uses the GSM modem is still under way.
    virtual bool IsActionPending() const = 0;
};

} // namespace kvt
