#pragma once

#include "common/EventSink.h"

namespace kvt {

// The event log as the closing steps of one packet write to it: a line that cannot be written
// (report.log locked, the disk full) must not stop an alarm's mark or its notifications. The
// first such failure of a packet goes to the global error handler; the later ones of the same
// packet share its cause and are dropped.
class PacketEventLog final : public EventSink {
public:
    explicit PacketEventLog(EventSink& log) : log_(log) {}

    // A new packet: its first failure is reported again.
    void beginPacket() { failureReported_ = false; }

    void LogEvent(const QString& title, const QString& text, EventColour colour) override;
    bool IsActionPending() const override { return log_.IsActionPending(); }

private:
    EventSink& log_;
    bool failureReported_ = false;
};

} // namespace kvt
