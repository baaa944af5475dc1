#include "links/Rs485LinkEngine.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "common/Hex.h"
#include "links/ModbusRtuMaster.h"
#include "links/Rs485Registers.h"
#include "serial/SerialPort.h"

namespace kvt::links {

using namespace rs485;

Rs485LinkEngine::Rs485LinkEngine(SerialPort& port, LinkMailbox& mailbox, LinkEventQueue& events, Clock& clock,
                                 Rs485Timings timings)
    : LinkEngine(port, mailbox, events, clock), timings_(timings)
{
}

Rs485LinkEngine::~Rs485LinkEngine()
{
    shutdown();
}

void Rs485LinkEngine::run()
{
    const int descriptor = port().nativeHandle();
    if (descriptor < 0)
        throw PortError(QStringLiteral("Порт %1 не открыт как устройство для Modbus RTU").arg(port().settings().device));
    ModbusRtuMaster master(descriptor, port().settings().device, port().settings().baudRate,
                           timings_.responseTimeoutMs);
    qint64 nextRoundAt = clock().ticks();
    while (!stopRequested()) {
        if (auto peers = peers_.take())
            takeOverPeers(*peers);
        sendPendingFrame(master);
        const qint64 now = clock().ticks();
        if (now >= nextRoundAt) {
            if (!runRound(master))
                return;
            nextRoundAt = now + timings_.roundPeriodMs;
            continue;
        }
        clock().sleep(timings_.stepMs);
    }
}

void Rs485LinkEngine::takeOverPeers(const QList<Rs485Peer>& peers)
{
    QList<Slave> slaves;
    QHash<int, int> errorCounts;
    for (const Rs485Peer& peer : peers) {
        const auto address = Rs485SlaveAddress(peer.adr);
        if (!address) {
            rejectAddress(peer.object, peer.adr);
            continue;
        }
        acceptAddress(peer.object);
        errorCounts.insert(peer.object, peer.errCnt);
        slaves.append(Slave{peer.object, *address});
    }
    slaves_ = slaves;
    adoptErrorCounts(errorCounts);
}

void Rs485LinkEngine::sendPendingFrame(ModbusRtuMaster& master)
{
    const auto frame = nextPendingFrame();
    if (!frame || stopRequested())
        return;
    const auto object = FrameObject(*frame);
    const Slave* slave = object ? slaveForObject(*object) : nullptr;
    QByteArray bytes;
    try {
        bytes = HexToBytes(frame->frame);
    } catch (const ConversionError&) {
        slave = nullptr;
    }
    if (!slave || bytes.size() > kMaxFrameBytes) {
        frameNotDelivered(*frame, object.value_or(0), true);
        return;
    }
    const int address = frame->kind == PendingFrameKind::Command ? kCommandAddress : kSettingsAddress;
    const ModbusReply reply = master.writeRegisters(slave->address, address, FrameRegisters(bytes));
    switch (reply.outcome) {
    case ModbusOutcome::Answered:
        countSuccess(slave->object);
        frameDelivered(*frame, slave->object);
        break;
    case ModbusOutcome::ExceptionReply:
        // The object refuses the frame: sending it again would not change its mind.
        countFailure(slave->object);
        frameNotDelivered(*frame, slave->object, true);
        break;
    default:
        countFailure(slave->object);
        frameNotDelivered(*frame, slave->object);
        break;
    }
}

bool Rs485LinkEngine::waitForRoom(ModbusRtuMaster& master)
{
    // The console takes one report per tick: ask for no more than the mailbox can keep.
    while (!mailbox().hasRoomForReport()) {
        sendPendingFrame(master);
        if (!idle(timings_.stepMs, timings_.stepMs))
            return false;
    }
    return !stopRequested();
}

bool Rs485LinkEngine::runRound(ModbusRtuMaster& master)
{
    int asked = 0;
    int answered = 0;
    const QList<Slave> slaves = slaves_;
    for (const Slave& slave : slaves) {
        sendPendingFrame(master);
        if (!waitForRoom(master))
            return false;
        const ModbusReply reply = master.readInputRegisters(slave.address, kReportAddress, kReportRegisters);
        ++asked;
        switch (reply.outcome) {
        case ModbusOutcome::Answered:
            ++answered;
            countSuccess(slave.object);
            handOverReport(slave.object, RegistersToBytes(reply.registers));
            break;
        case ModbusOutcome::ExceptionReply:
            ++answered; // the bus works, the object refused
            countFailure(slave.object);
            break;
        default:
            countFailure(slave.object);
            break;
        }
    }
    setLamp(answered > 0 || asked == 0);
    return true;
}

const Rs485LinkEngine::Slave* Rs485LinkEngine::slaveForObject(int object) const
{
    for (const Slave& slave : slaves_) {
        if (slave.object == object)
            return &slave;
    }
    return nullptr;
}

} // namespace kvt::links
