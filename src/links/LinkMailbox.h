#pragma once

#include "links/LinkKind.h"

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <deque>
#include <optional>

namespace kvt {
class Clock;
}

namespace kvt::links {

// One complete report of an object.
struct LinkReport {
    int object = 0;  // Kod_O of the sender
    QByteArray data; // the raw report bytes
};

enum class PendingFrameKind {
    Command,
    Settings,
};

// A command or settings frame that the console has left for the engine.
struct PendingFrame {
    PendingFrameKind kind = PendingFrameKind::Command;
    QString object; // Kod_O in decimal
    QString frame;  // hexadecimal text
    // Grows with every frame the console leaves, so the engine empties the field only when it
    // still holds the frame that was delivered.
    quint64 serial = 0;
};

// The record through which a link engine (on its own thread) and the console (on the main
// thread) meet: RadioLink for the radio link, Rs485Link for RS-485. Every member is safe to
// call from either thread.
//
// Reports wait in order of arrival. The console sees only the oldest one, as ReportObject and
// ReportData, always as a pair: the code never belongs to another report. Taking it makes the
// next one waiting visible. Up to kReportCapacity reports wait; a report that arrives while
// that many are waiting is dropped and counted (the engine tells the console about it), and
// the engines ask for no more reports while the mailbox is full.
class LinkMailbox {
public:
    static constexpr int kReportCapacity = 64;

    // ---- Console side.

    // The oldest waiting report; none when the mailbox is empty.
    std::optional<LinkReport> waitingReport() const;
    QByteArray ReportData() const;
    int ReportObject() const;
    int waitingReportCount() const;
    // Empties ReportData: the next waiting report, if any, takes its place.
    void takeReport();

    // Leaves a frame for the engine, object and frame together, replacing any frame of the
    // same kind still waiting.
    void setCommand(const QString& object, const QString& frame);
    void setSettings(const QString& object, const QString& frame);
    QString CommandObject() const;
    QString CommandFrame() const;
    QString SettingsObject() const;
    QString SettingsFrame() const;

    bool Busy() const;
    bool StopRequested() const;
    bool StopAcknowledged() const;
    // StopLink's step 2: asks a busy engine to stop. False (and nothing asked) when the
    // engine is not busy.
    bool requestStop();
    // StopLink's step 4: Busy, StopRequested and StopAcknowledged become false.
    void clearStopFlags();

    // ---- Engine side.

    // Keeps the report behind those waiting. False when kReportCapacity reports are waiting
    // already: the report is dropped and counted.
    bool putReport(LinkReport report);
    bool hasRoomForReport() const;
    // Reports dropped for want of room since the mailbox was made.
    quint64 droppedReports() const;

    // The frame of that kind waiting to be sent, if any.
    std::optional<PendingFrame> pendingFrame(PendingFrameKind kind) const;
    // Empties the frame field when it still holds the frame with that serial; a frame the
    // console left meanwhile stays.
    void clearFrame(PendingFrameKind kind, quint64 serial);

    // The engine takes the port: Busy becomes true. Called before the engine's thread starts,
    // so that a stop asked for at once is never missed.
    void markBusy();
    // The engine leaves: when the console asked it to stop, StopAcknowledged becomes true
    // (the console then clears the flags); when it leaves on its own, Busy becomes false.
    void engineLeft();

private:
    struct FrameSlot {
        QString object;
        QString frame;
        quint64 serial = 0;
        bool waiting = false;
    };
    FrameSlot& slot(PendingFrameKind kind);
    const FrameSlot& slot(PendingFrameKind kind) const;
    void setFrame(PendingFrameKind kind, const QString& object, const QString& frame);

    mutable QMutex mutex_;
    std::deque<LinkReport> reports_;
    quint64 dropped_ = 0;
    FrameSlot command_;
    FrameSlot settings_;
    quint64 lastSerial_ = 0;
    bool busy_ = false;
    bool stopRequested_ = false;
    bool stopAcknowledged_ = false;
};

// The console's stop handshake before a link's port is closed: returns at once when the engine
// is not busy; otherwise asks it to stop, waits (pumping window messages in steps of
// kStopLinkWaitMs) until it acknowledges, and clears the three flags. There is no time limit:
// the engines acknowledge within one exchange.
void StopLink(LinkMailbox& mailbox, Clock& clock);
inline constexpr int kStopLinkWaitMs = 100;

} // namespace kvt::links
