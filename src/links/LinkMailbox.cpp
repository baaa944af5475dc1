#include "links/LinkMailbox.h"

#include "common/Clock.h"

#include <QMutexLocker>

namespace kvt::links {

std::optional<LinkReport> LinkMailbox::waitingReport() const
{
    QMutexLocker lock(&mutex_);
    if (reports_.empty())
        return std::nullopt;
    return reports_.front();
}

QByteArray LinkMailbox::ReportData() const
{
    QMutexLocker lock(&mutex_);
    return reports_.empty() ? QByteArray() : reports_.front().data;
}

int LinkMailbox::ReportObject() const
{
    QMutexLocker lock(&mutex_);
    return reports_.empty() ? 0 : reports_.front().object;
}

int LinkMailbox::waitingReportCount() const
{
    QMutexLocker lock(&mutex_);
    return int(reports_.size());
}

void LinkMailbox::takeReport()
{
    QMutexLocker lock(&mutex_);
    if (!reports_.empty())
        reports_.pop_front();
}

LinkMailbox::FrameSlot& LinkMailbox::slot(PendingFrameKind kind)
{
    return kind == PendingFrameKind::Command ? command_ : settings_;
}

const LinkMailbox::FrameSlot& LinkMailbox::slot(PendingFrameKind kind) const
{
    return kind == PendingFrameKind::Command ? command_ : settings_;
}

void LinkMailbox::setFrame(PendingFrameKind kind, const QString& object, const QString& frame)
{
    QMutexLocker lock(&mutex_);
    slot(kind) = FrameSlot{object, frame, ++lastSerial_, true};
}

void LinkMailbox::setCommand(const QString& object, const QString& frame)
{
    setFrame(PendingFrameKind::Command, object, frame);
}

void LinkMailbox::setSettings(const QString& object, const QString& frame)
{
    setFrame(PendingFrameKind::Settings, object, frame);
}

QString LinkMailbox::CommandObject() const
{
    QMutexLocker lock(&mutex_);
    return command_.object;
}

QString LinkMailbox::CommandFrame() const
{
    QMutexLocker lock(&mutex_);
    return command_.frame;
}

QString LinkMailbox::SettingsObject() const
{
    QMutexLocker lock(&mutex_);
    return settings_.object;
}

QString LinkMailbox::SettingsFrame() const
{
    QMutexLocker lock(&mutex_);
    return settings_.frame;
}

bool LinkMailbox::Busy() const
{
    QMutexLocker lock(&mutex_);
    return busy_;
}

bool LinkMailbox::StopRequested() const
{
    QMutexLocker lock(&mutex_);
    return stopRequested_;
}

bool LinkMailbox::StopAcknowledged() const
{
    QMutexLocker lock(&mutex_);
    return stopAcknowledged_;
}

bool LinkMailbox::requestStop()
{
    QMutexLocker lock(&mutex_);
    if (!busy_)
        return false;
    stopRequested_ = true;
    return true;
}

void LinkMailbox::clearStopFlags()
{
    QMutexLocker lock(&mutex_);
    busy_ = false;
    stopRequested_ = false;
    stopAcknowledged_ = false;
}

bool LinkMailbox::putReport(LinkReport report)
{
    QMutexLocker lock(&mutex_);
    if (int(reports_.size()) >= kReportCapacity) {
        ++dropped_;
        return false;
    }
    reports_.push_back(std::move(report));
    return true;
}

bool LinkMailbox::hasRoomForReport() const
{
    QMutexLocker lock(&mutex_);
    return int(reports_.size()) < kReportCapacity;
}

quint64 LinkMailbox::droppedReports() const
{
    QMutexLocker lock(&mutex_);
    return dropped_;
}

std::optional<PendingFrame> LinkMailbox::pendingFrame(PendingFrameKind kind) const
{
    QMutexLocker lock(&mutex_);
    const FrameSlot& waiting = slot(kind);
    if (!waiting.waiting)
        return std::nullopt;
    return PendingFrame{kind, waiting.object, waiting.frame, waiting.serial};
}

void LinkMailbox::clearFrame(PendingFrameKind kind, quint64 serial)
{
    QMutexLocker lock(&mutex_);
    FrameSlot& waiting = slot(kind);
    if (waiting.waiting && waiting.serial == serial)
        waiting = FrameSlot{};
}

void LinkMailbox::markBusy()
{
    QMutexLocker lock(&mutex_);
    busy_ = true;
    stopRequested_ = false;
    stopAcknowledged_ = false;
}

void LinkMailbox::engineLeft()
{
    QMutexLocker lock(&mutex_);
    if (stopRequested_)
        stopAcknowledged_ = true;
    else
        busy_ = false;
}

void StopLink(LinkMailbox& mailbox, Clock& clock)
{
    if (!mailbox.requestStop())
        return;
    while (!mailbox.StopAcknowledged())
        WaitPumping(clock, kStopLinkWaitMs);
    mailbox.clearStopFlags();
}

} // namespace kvt::links
