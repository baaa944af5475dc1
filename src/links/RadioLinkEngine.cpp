#include "links/RadioLinkEngine.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "common/Hex.h"
#include "serial/SerialPort.h"

namespace kvt::links {

using namespace radio;

namespace {
constexpr int kReadChunk = 1024;
constexpr quint8 kLastFrameId = 0xFF;
} // namespace

RadioLinkEngine::RadioLinkEngine(SerialPort& port, LinkMailbox& mailbox, LinkEventQueue& events, Clock& clock,
                                 RadioTimings timings)
    : LinkEngine(port, mailbox, events, clock), timings_(timings), assembler_(timings.reportWindowMs)
{
}

RadioLinkEngine::~RadioLinkEngine()
{
    shutdown();
}

void RadioLinkEngine::run()
{
    nextModemCheckAt_ = clock().ticks();
    while (!stopRequested()) {
        step();
        clock().sleep(timings_.stepMs);
    }
}

void RadioLinkEngine::step()
{
    if (auto peers = peers_.take())
        takeOverPeers(*peers);
    const qint64 now = clock().ticks();
    readFrames(now);
    checkModem(now);
    if (inFlight_ && now >= inFlight_->deadline)
        finishTransmit(false);
    if (!inFlight_ && lampLit())
        startTransmit(now);
    assembler_.expire(now);
}

void RadioLinkEngine::takeOverPeers(const QList<RadioPeer>& peers)
{
    QList<Target> targets;
    QHash<int, int> errorCounts;
    for (const RadioPeer& peer : peers) {
        const auto address = RadioAddress64(peer.dh, peer.dl);
        if (!address) {
            rejectAddress(peer.object, RadioAddressText(peer));
            continue;
        }
        acceptAddress(peer.object);
        errorCounts.insert(peer.object, peer.errCnt);
        const Target* known = targetForObject(peer.object);
        targets.append(Target{peer.object, *address, known ? known->lastPollAt : std::nullopt});
    }
    targets_ = targets;
    adoptErrorCounts(errorCounts);
}

void RadioLinkEngine::readFrames(qint64 now)
{
    char chunk[kReadChunk];
    for (;;) {
        const qint64 got = port().read(chunk, kReadChunk);
        if (got <= 0)
            break;
        reader_.feed(QByteArrayView(chunk, got));
    }
    while (auto frame = reader_.next())
        handleFrame(*frame, now);
}

void RadioLinkEngine::handleFrame(const QByteArray& frameData, qint64 now)
{
    const auto type = TypeOf(frameData);
    if (!type)
        return;
    switch (*type) {
    case FrameType::AtResponse:
        if (const auto answer = ParseAtResponse(frameData);
            answer && modemQuery_ && answer->frameId == modemQuery_->frameId && answer->command == kModemCheckCommand) {
            modemQuery_.reset();
            missedAnswers_ = 0;
            setLamp(true);
        }
        break;
    case FrameType::TransmitStatus:
        if (const auto status = ParseTransmitStatus(frameData);
            status && inFlight_ && status->frameId == inFlight_->frameId)
            finishTransmit(status->deliveryStatus == kDelivered);
        break;
    case FrameType::ReceivePacket:
        if (const auto packet = ParseReceivePacket(frameData))
            handleReceivePacket(*packet, now);
        break;
    default:
        break; // frames the console does not use
    }
}

void RadioLinkEngine::handleReceivePacket(const ReceivePacket& packet, qint64 now)
{
    const Target* sender = targetWithAddress(packet.source);
    const auto part = ParseReportPart(packet.rfData);
    if (!sender || !part)
        return;
    const int object = sender->object;
    if (auto report = assembler_.add(packet.source, *part, now)) {
        countSuccess(object);
        handOverReport(object, std::move(*report));
    }
}

void RadioLinkEngine::checkModem(qint64 now)
{
    if (modemQuery_ && now >= modemQuery_->deadline) {
        modemQuery_.reset();
        if (++missedAnswers_ >= kMissedAnswersForLampOut)
            setLamp(false);
    }
    if (modemQuery_ || now < nextModemCheckAt_)
        return;
    const quint8 id = nextFrameId();
    port().write(AtCommandFrame(id, kModemCheckCommand));
    modemQuery_ = ModemQuery{id, now + timings_.modemAnswerTimeoutMs};
    nextModemCheckAt_ = now + timings_.modemCheckPeriodMs;
}

void RadioLinkEngine::startTransmit(qint64 now)
{
    // A frame that cannot be sent at all is given up at once; the next one is tried.
    while (auto frame = nextPendingFrame()) {
        if (sendPendingFrame(*frame, now))
            return;
    }
    if (mailbox().hasRoomForReport())
        sendPoll(now);
}

bool RadioLinkEngine::sendPendingFrame(const PendingFrame& frame, qint64 now)
{
    const auto object = FrameObject(frame);
    const Target* target = object ? targetForObject(*object) : nullptr;
    QByteArray bytes;
    try {
        bytes = HexToBytes(frame.frame);
    } catch (const ConversionError&) {
        target = nullptr;
    }
    if (!target) {
        frameNotDelivered(frame, object.value_or(0), true);
        return false;
    }
    const QByteArray payload = frame.kind == PendingFrameKind::Command ? CommandPayload(bytes) : SettingsPayload(bytes);
    transmit(*target, payload, now, frame);
    return true;
}

bool RadioLinkEngine::sendPoll(qint64 now)
{
    // The due object asked longest ago goes first; one never asked goes before all others.
    const auto askedEarlier = [](const Target& a, const Target& b) {
        if (!a.lastPollAt)
            return b.lastPollAt.has_value();
        return b.lastPollAt && *a.lastPollAt < *b.lastPollAt;
    };
    Target* due = nullptr;
    for (Target& target : targets_) {
        if (target.lastPollAt && now - *target.lastPollAt < timings_.pollPeriodMs)
            continue;
        if (!due || askedEarlier(target, *due))
            due = &target;
    }
    if (!due)
        return false;
    due->lastPollAt = now;
    transmit(*due, PollPayload(), now, std::nullopt);
    return true;
}

void RadioLinkEngine::transmit(const Target& target, const QByteArray& payload, qint64 now,
                               std::optional<PendingFrame> frame)
{
    const quint8 id = nextFrameId();
    port().write(TransmitRequestFrame(id, target.address, payload));
    inFlight_ = InFlight{id, target.object, now + timings_.transmitStatusTimeoutMs, std::move(frame)};
}

void RadioLinkEngine::finishTransmit(bool delivered)
{
    const InFlight done = *inFlight_;
    inFlight_.reset();
    if (delivered)
        countSuccess(done.object);
    else
        countFailure(done.object);
    if (!done.frame)
        return;
    if (delivered)
        frameDelivered(*done.frame, done.object);
    else
        frameNotDelivered(*done.frame, done.object);
}

const RadioLinkEngine::Target* RadioLinkEngine::targetWithAddress(quint64 address) const
{
    for (const Target& target : targets_) {
        if (target.address == address)
            return &target;
    }
    return nullptr;
}

const RadioLinkEngine::Target* RadioLinkEngine::targetForObject(int object) const
{
    for (const Target& target : targets_) {
        if (target.object == object)
            return &target;
    }
    return nullptr;
}

quint8 RadioLinkEngine::nextFrameId()
{
    lastFrameId_ = lastFrameId_ == kLastFrameId ? 1 : quint8(lastFrameId_ + 1);
    return lastFrameId_;
}

} // namespace kvt::links
