#pragma once

#include "links/LinkMailbox.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>

namespace kvt::links {

// What a link engine tells the console. Called on the main thread only (through
// LinkEventQueue), so the implementation may write the channel file, switch the lamp and log
// without locks; it is the one writer of the link's ErrCnt keys.
class LinkEventSink {
public:
    virtual ~LinkEventSink() = default;

    // The link's error counter of an object has a new value (ErrCnt in the object's section of
    // the link's channel file).
    virtual void errorCountChanged(int object, int errCnt) = 0;
    // The modem or adapter answers (lit) or has stopped answering (out): ComLed1 or ComLed2.
    virtual void lampChanged(bool lit) = 0;
    // A command or settings frame has been delivered to the object, or given up.
    virtual void frameOutcome(PendingFrameKind kind, int object, bool delivered) = 0;
    // An object's link address cannot be used; the object is left out until it is changed.
    // Told once per object and address.
    virtual void addressRejected(int object, const QString& address) = 0;
    // A report of the object was dropped because LinkMailbox::kReportCapacity reports were
    // waiting; `total` counts every drop of the mailbox so far.
    virtual void reportDropped(int object, quint64 total) = 0;
    // The engine has stopped by itself because its port failed; the port is still open.
    virtual void engineFailed(const QString& reason) = 0;
};

// Carries engine events from the engine's thread to the sink on the thread that owns this
// object (the main thread), in the order they were posted.
class LinkEventQueue : public QObject {
    Q_OBJECT
public:
    using Event = std::function<void(LinkEventSink&)>;

    explicit LinkEventQueue(LinkEventSink& sink, QObject* parent = nullptr);

    // Any thread.
    void post(Event event);
    // Owner's thread: hands every queued event to the sink now. Runs by itself from the event
    // loop after a post. An event whose handling throws is not retried; the ones after it are
    // delivered at the next turn of the event loop.
    void deliver();

private:
    void scheduleDelivery();

    LinkEventSink& sink_;
    QMutex mutex_;
    std::deque<Event> events_;
    bool scheduled_ = false;
};

} // namespace kvt::links
