#pragma once

#include "links/LinkEvents.h"
#include "links/LinkKind.h"

#include <QString>

#include <functional>

namespace kvt {
class EventSink;
class IniFile;
class LinkIndicators;
} // namespace kvt

namespace kvt::links {

// The names of the objects, for the log lines of the links.
class ObjectNames {
public:
    virtual ~ObjectNames() = default;
    // Name_O of the object with that code; empty when there is none.
    virtual QString objectName(int object) const = 0;
};

// The log title of a frame's outcome.
QString FrameOutcomeTitle(LinkKind link, PendingFrameKind kind, bool delivered);

// Applies what a link engine tells the console, on the main thread: ErrCnt into the object's
// section of the link's channel file (ZigBee.ini or RS485.ini; a section that no longer exists
// is not made again), the link's lamp (ComLed1 or ComLed2), and the event log: frame outcomes
// in yellow or red (which also ends the pending action), unusable addresses, lost reports and
// a failed port in red.
class LinkEventLog final : public LinkEventSink {
public:
    LinkEventLog(LinkKind link, IniFile& channelFile, LinkIndicators& lamps, EventSink& log, const ObjectNames& names);

    // Told after the failure has been logged, so the console can close the port and offer to
    // connect again.
    void setFailureHandler(std::function<void(const QString& reason)> handler) { onFailure_ = std::move(handler); }

    void errorCountChanged(int object, int errCnt) override;
    void lampChanged(bool lit) override;
    void frameOutcome(PendingFrameKind kind, int object, bool delivered) override;
    void addressRejected(int object, const QString& address) override;
    void reportDropped(int object, quint64 total) override;
    void engineFailed(const QString& reason) override;

private:
    QString nameOf(int object) const;

    LinkKind link_;
    IniFile& channelFile_;
    LinkIndicators& lamps_;
    EventSink& log_;
    const ObjectNames& names_;
    std::function<void(const QString&)> onFailure_;
};

} // namespace kvt::links
