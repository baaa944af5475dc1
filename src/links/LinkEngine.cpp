#include "links/LinkEngine.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "serial/SerialPort.h"

namespace kvt::links {

LinkEngine::LinkEngine(SerialPort& port, LinkMailbox& mailbox, LinkEventQueue& events, Clock& clock)
    : port_(port), mailbox_(mailbox), events_(events), clock_(clock)
{
}

LinkEngine::~LinkEngine()
{
    shutdown();
}

void LinkEngine::shutdown()
{
    if (!thread_.joinable())
        return;
    const bool asked = mailbox_.requestStop();
    thread_.join();
    if (asked)
        mailbox_.clearStopFlags();
}

void LinkEngine::start()
{
    if (running_.load())
        return;
    if (thread_.joinable())
        thread_.join(); // the previous run has left by itself
    mailbox_.markBusy();
    running_ = true;
    thread_ = std::thread([this] { body(); });
}

void LinkEngine::stop()
{
    StopLink(mailbox_, clock_);
    if (thread_.joinable())
        thread_.join();
}

void LinkEngine::body()
{
    try {
        run();
    } catch (const KvtError& error) {
        const QString reason = error.message();
        post([reason](LinkEventSink& sink) { sink.engineFailed(reason); });
    } catch (const std::exception& error) {
        const QString reason = QString::fromLocal8Bit(error.what());
        post([reason](LinkEventSink& sink) { sink.engineFailed(reason); });
    }
    setLamp(false);
    running_ = false;
    mailbox_.engineLeft();
}

bool LinkEngine::idle(int ms, int stepMs)
{
    const qint64 until = clock_.ticks() + ms;
    while (!stopRequested()) {
        const qint64 left = until - clock_.ticks();
        if (left <= 0)
            return true;
        clock_.sleep(int(std::min<qint64>(left, stepMs)));
    }
    return false;
}

void LinkEngine::setLamp(bool lit)
{
    if (lampLit_ == lit)
        return;
    lampLit_ = lit;
    post([lit](LinkEventSink& sink) { sink.lampChanged(lit); });
}

void LinkEngine::adoptErrorCounts(const QHash<int, int>& errCntByObject)
{
    for (auto it = errorCounts_.begin(); it != errorCounts_.end();)
        it = errCntByObject.contains(it.key()) ? std::next(it) : errorCounts_.erase(it);
    for (auto it = errCntByObject.begin(); it != errCntByObject.end(); ++it) {
        if (!errorCounts_.contains(it.key()))
            errorCounts_.insert(it.key(), it.value());
    }
}

void LinkEngine::countFailure(int object)
{
    const int value = errorCounts_.value(object, 0) + 1;
    errorCounts_.insert(object, value);
    post([object, value](LinkEventSink& sink) { sink.errorCountChanged(object, value); });
}

void LinkEngine::countSuccess(int object)
{
    const bool wasZero = errorCounts_.value(object, 0) == 0;
    errorCounts_.insert(object, 0);
    if (wasZero)
        return;
    post([object](LinkEventSink& sink) { sink.errorCountChanged(object, 0); });
}

void LinkEngine::rejectAddress(int object, const QString& address)
{
    const auto it = rejectedAddresses_.constFind(object);
    if (it != rejectedAddresses_.constEnd() && *it == address)
        return;
    rejectedAddresses_.insert(object, address);
    post([object, address](LinkEventSink& sink) { sink.addressRejected(object, address); });
}

void LinkEngine::acceptAddress(int object)
{
    rejectedAddresses_.remove(object);
}

void LinkEngine::handOverReport(int object, QByteArray data)
{
    if (mailbox_.putReport(LinkReport{object, std::move(data)}))
        return;
    const quint64 total = mailbox_.droppedReports();
    post([object, total](LinkEventSink& sink) { sink.reportDropped(object, total); });
}

std::optional<PendingFrame> LinkEngine::nextPendingFrame() const
{
    if (auto command = mailbox_.pendingFrame(PendingFrameKind::Command))
        return command;
    return mailbox_.pendingFrame(PendingFrameKind::Settings);
}

std::optional<int> LinkEngine::FrameObject(const PendingFrame& frame)
{
    bool ok = false;
    const int object = frame.object.trimmed().toInt(&ok);
    return ok ? std::optional<int>(object) : std::nullopt;
}

void LinkEngine::frameDelivered(const PendingFrame& frame, int object)
{
    mailbox_.clearFrame(frame.kind, frame.serial);
    attempts_.removeIf([&](const Attempts& a) { return a.kind == frame.kind; });
    const PendingFrameKind kind = frame.kind;
    post([kind, object](LinkEventSink& sink) { sink.frameOutcome(kind, object, true); });
}

void LinkEngine::frameNotDelivered(const PendingFrame& frame, int object, bool final)
{
    auto it = std::find_if(attempts_.begin(), attempts_.end(),
                           [&](const Attempts& a) { return a.kind == frame.kind; });
    if (it == attempts_.end() || it->serial != frame.serial) {
        if (it != attempts_.end())
            attempts_.erase(it);
        attempts_.append(Attempts{frame.kind, frame.serial, 0});
        it = std::prev(attempts_.end());
    }
    if (final || ++it->failed >= kFrameAttempts) {
        attempts_.erase(it);
        giveUp(frame, object);
    }
}

void LinkEngine::giveUp(const PendingFrame& frame, int object)
{
    mailbox_.clearFrame(frame.kind, frame.serial);
    const PendingFrameKind kind = frame.kind;
    post([kind, object](LinkEventSink& sink) { sink.frameOutcome(kind, object, false); });
}

} // namespace kvt::links
