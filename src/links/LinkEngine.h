#pragma once

#include "links/LinkEvents.h"
#include "links/LinkMailbox.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <optional>
#include <thread>

namespace kvt {
class Clock;
class SerialPort;
} // namespace kvt

namespace kvt::links {

// Hands the newest value from one thread to another; the taker sees each value once.
template <typename T>
class Handoff {
public:
    void put(T value)
    {
        QMutexLocker lock(&mutex_);
        value_ = std::move(value);
    }
    std::optional<T> take()
    {
        QMutexLocker lock(&mutex_);
        return std::exchange(value_, std::nullopt);
    }

private:
    QMutex mutex_;
    std::optional<T> value_;
};

// What the radio and RS-485 engines share: a thread of their own that owns the open port
// while it runs, the stop handshake on the mailbox, the link lamp, the objects' error counters
// and the fate of the pending command and settings frames. Everything the console must learn
// goes through the event queue; an engine never touches the channel files.
//
// The engine never opens or closes the port: the console opens it before start() and closes
// it after stop(), so Connected() of the port is safe to read on the main thread. The clock is
// read on both threads (the engine's waits, the console's pumping wait in stop()), so it must
// be one that may be: the system clock.
//
// The mailbox and the event queue must outlive the engine.
class LinkEngine {
public:
    // A frame the object does not take is sent this many times before it is given up.
    static constexpr int kFrameAttempts = 3;

    virtual ~LinkEngine();
    LinkEngine(const LinkEngine&) = delete;
    LinkEngine& operator=(const LinkEngine&) = delete;

    // Main thread: starts the engine on the open port. Busy is set before the thread runs.
    // Starting a running engine does nothing.
    void start();
    // Main thread: the stop handshake (StopLink, pumping window messages while it waits), then
    // waits for the thread to end. Afterwards the port may be closed.
    void stop();
    // True from start() until the engine has left (stopped, or failed by itself).
    bool isRunning() const { return running_.load(); }

protected:
    LinkEngine(SerialPort& port, LinkMailbox& mailbox, LinkEventQueue& events, Clock& clock);

    // The engine's work on its thread; returns once stopRequested() is seen. A PortError
    // (or any other error) ends the engine and is reported as engineFailed.
    virtual void run() = 0;
    // Stops the thread without pumping messages, for the destructor of a derived engine that
    // was not stopped by the console: its members must outlive the thread.
    void shutdown();

    SerialPort& port() { return port_; }
    LinkMailbox& mailbox() { return mailbox_; }
    Clock& clock() { return clock_; }
    bool stopRequested() const { return mailbox_.StopRequested(); }
    // Sleeps up to `ms` in small steps; false as soon as a stop is asked for.
    bool idle(int ms, int stepMs);

    void setLamp(bool lit);
    bool lampLit() const { return lampLit_; }

    // The error counters: the peers' values seed objects not counted yet; objects no longer
    // among the peers are forgotten.
    void adoptErrorCounts(const QHash<int, int>& errCntByObject);
    void countFailure(int object);
    void countSuccess(int object);
    // Tells the console once per object and address that the address is unusable.
    void rejectAddress(int object, const QString& address);
    void acceptAddress(int object);

    // Leaves a complete report for the console (or reports its loss when the mailbox is full).
    void handOverReport(int object, QByteArray data);

    // The pending command frame, else the pending settings frame.
    std::optional<PendingFrame> nextPendingFrame() const;
    // Kod_O of the frame's object; none when the field is not a decimal code.
    static std::optional<int> FrameObject(const PendingFrame& frame);
    void frameDelivered(const PendingFrame& frame, int object);
    // One failed attempt; the frame is given up (field emptied, outcome told) after
    // kFrameAttempts, or at once when `final`.
    void frameNotDelivered(const PendingFrame& frame, int object, bool final = false);

private:
    void body();
    void post(LinkEventQueue::Event event) { events_.post(std::move(event)); }
    void giveUp(const PendingFrame& frame, int object);

    SerialPort& port_;
    LinkMailbox& mailbox_;
    LinkEventQueue& events_;
    Clock& clock_;
    std::thread thread_;
    std::atomic<bool> running_{false};

    // Engine thread only.
    bool lampLit_ = false;
    QHash<int, int> errorCounts_;
    QHash<int, QString> rejectedAddresses_;
    struct Attempts {
        PendingFrameKind kind;
        quint64 serial = 0;
        int failed = 0;
    };
    QList<Attempts> attempts_;
};

} // namespace kvt::links
