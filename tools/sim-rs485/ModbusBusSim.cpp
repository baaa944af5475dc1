#include "ModbusBusSim.h"

#include <modbus/modbus.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kvt::sim {

namespace {

constexpr int kReportRegisters = 70;
constexpr int kReportBytes = 2 * kReportRegisters;
constexpr int kHoldingStart = 0x0100;
constexpr int kCommandAddress = 0x0100;
constexpr int kSettingsAddress = 0x0200;
constexpr int kHoldingCount = kSettingsAddress - kHoldingStart + MODBUS_MAX_WRITE_REGISTERS;
constexpr int kSilenceMs = 100;         // a request still incomplete after this is dropped
constexpr int kByteTimeoutUs = 50000;
constexpr quint8 kExceptionBit = 0x80;
constexpr quint8 kWriteMultipleRegisters = 0x10;
constexpr quint8 kReadInputRegisters = 0x04;
constexpr int kFixedRequestLength = 8;   // functions 1 to 6: address, function, 4 bytes, CRC
constexpr int kWriteHeaderLength = 7;    // address, function, start, count, byte count
constexpr int kCrcLength = 2;

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace

ModbusBusSim::ModbusBusSim(Settings settings) : settings_(settings)
{
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, [this] {
        if (!input_.isEmpty())
            emit event(QStringLiteral("INCOMPLETE %1").arg(Hex(input_)));
        input_.clear();
    });
}

ModbusBusSim::~ModbusBusSim()
{
    if (mapping_)
        modbus_mapping_free(mapping_);
    if (context_)
        modbus_free(context_);
    for (int fd : pipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

QString ModbusBusSim::open()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipe_) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::fcntl(pipe_[1], F_SETFL, ::fcntl(pipe_[1], F_GETFL) | O_NONBLOCK);
    // The context plays every slave in turn on its end of the socket pair; it never opens a device.
    context_ = modbus_new_rtu("/dev/null", 9600, 'N', 8, 1);
    mapping_ = modbus_mapping_new_start_address(0, 0, 0, 0, kHoldingStart, kHoldingCount, 0, kReportRegisters);
    if (!context_ || !mapping_)
        return QString::fromLocal8Bit(modbus_strerror(errno));
    modbus_set_socket(context_, pipe_[0]);
    modbus_set_byte_timeout(context_, 0, kByteTimeoutUs);
    return {};
}

ModbusSlave& ModbusBusSim::addSlave(int address)
{
    ModbusSlave& added = slaves_[address];
    added.address = address;
    return added;
}

ModbusSlave* ModbusBusSim::slave(int address)
{
    auto it = slaves_.find(address);
    return it == slaves_.end() ? nullptr : &*it;
}

std::optional<int> ModbusBusSim::requestLength() const
{
    const quint8 function = quint8(input_[1]);
    if (function >= 1 && function <= 6)
        return kFixedRequestLength;
    if (function == 0x0F || function == kWriteMultipleRegisters) {
        if (input_.size() < kWriteHeaderLength)
            return 0;
        return kWriteHeaderLength + quint8(input_[kWriteHeaderLength - 1]) + kCrcLength;
    }
    return std::nullopt;
}

void ModbusBusSim::receive(const QByteArray& bytes)
{
    input_ += bytes;
    silence_.start(kSilenceMs);
    while (input_.size() >= 2) {
        const auto length = requestLength();
        if (!length) {
            emit event(QStringLiteral("UNKNOWN %1").arg(Hex(input_)));
            input_.clear();
            return;
        }
        if (*length == 0 || input_.size() < *length)
            return;
        const QByteArray request = input_.left(*length);
        input_.remove(0, *length);
        handleRequest(request);
    }
}

QByteArray ModbusBusSim::drainReply()
{
    QByteArray reply;
    char chunk[MODBUS_RTU_MAX_ADU_LENGTH];
    ssize_t got;
    while ((got = ::read(pipe_[1], chunk, sizeof chunk)) > 0)
        reply.append(chunk, got);
    return reply;
}

void ModbusBusSim::handleRequest(const QByteArray& request)
{
    const int address = quint8(request[0]);
    ModbusSlave* target = slave(address);
    if (!target || !target->reachable) {
        emit event(QStringLiteral("IGNORED %1 FRAME %2").arg(address).arg(Hex(request)));
        return;
    }
    QByteArray reply = answer(*target, request);
    if (reply.isEmpty())
        return;
    if (target->crcErrors > 0) {
        --target->crcErrors;
        reply.back() = char(reply.back() ^ 0xFF);
        emit event(QStringLiteral("CRC-ERROR %1 REPLY %2").arg(address).arg(Hex(reply)));
    }
    QTimer::singleShot(settings_.replyDelayMs, this, [this, reply] { emit output(reply); });
}

QByteArray ModbusBusSim::answer(ModbusSlave& target, const QByteArray& request)
{
    drainReply();
    if (::write(pipe_[1], request.constData(), size_t(request.size())) != request.size())
        return {};
    modbus_set_slave(context_, target.address);
    uint8_t received[MODBUS_RTU_MAX_ADU_LENGTH];
    const int length = modbus_receive(context_, received);
    const QString frame = Hex(request);
    if (length <= 0) {
        emit event(QStringLiteral("%1 %2 FRAME %3")
                       .arg(errno == EMBBADCRC ? QStringLiteral("BAD-CRC") : QStringLiteral("BAD-REQUEST"))
                       .arg(target.address)
                       .arg(frame));
        drainReply();
        return {};
    }
    if (target.exceptions > 0) {
        --target.exceptions;
        modbus_reply_exception(context_, received, unsigned(target.exceptionCode));
        emit event(QStringLiteral("EXCEPTION %1 %2 FRAME %3").arg(target.address).arg(target.exceptionCode).arg(frame));
        return drainReply();
    }
    const quint8 function = received[1];
    if (function == kReadInputRegisters) {
        loadReport(target);
        emit event(QStringLiteral("READ %1 FRAME %2").arg(target.address).arg(frame));
    }
    modbus_reply(context_, received, length, mapping_);
    const QByteArray reply = drainReply();
    const bool refused = reply.size() > 1 && (quint8(reply[1]) & kExceptionBit);
    if (function == kWriteMultipleRegisters && !refused)
        recordFrame(target, request);
    else if (function != kReadInputRegisters)
        emit event(QStringLiteral("REQUEST %1 FRAME %2").arg(target.address).arg(frame));
    return reply;
}

void ModbusBusSim::loadReport(ModbusSlave& target)
{
    QByteArray report;
    if (!target.packets.isEmpty()) {
        report = target.packets.at(target.nextPacket % target.packets.size());
        target.nextPacket = (target.nextPacket + 1) % target.packets.size();
    }
    report = report.leftJustified(kReportBytes, '\0', true);
    for (int i = 0; i < kReportRegisters; ++i)
        mapping_->tab_input_registers[i] = uint16_t((quint8(report[2 * i]) << 8) | quint8(report[2 * i + 1]));
}

void ModbusBusSim::recordFrame(const ModbusSlave& target, const QByteArray& request)
{
    const int start = (quint8(request[2]) << 8) | quint8(request[3]);
    const int first = start - kHoldingStart;
    const int written = (quint8(request[4]) << 8) | quint8(request[5]);
    // The byte count cannot promise more bytes than the registers written carry.
    const int count = std::min<int>(mapping_->tab_registers[first], 2 * (written - 1));
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const uint16_t value = mapping_->tab_registers[first + 1 + i / 2];
        bytes.append(char(i % 2 == 0 ? value >> 8 : value & 0xFF));
    }
    const QString kind = start == kCommandAddress    ? QStringLiteral("COMMAND")
                         : start == kSettingsAddress ? QStringLiteral("SETTINGS")
                                                     : QStringLiteral("WRITE");
    emit event(QStringLiteral("%1 %2 %3 FRAME %4").arg(kind).arg(target.address).arg(Hex(bytes), Hex(request)));
}

QString ModbusBusSim::statusText() const
{
    QStringList parts{QStringLiteral("STATUS slaves %1").arg(slaves_.size())};
    for (const ModbusSlave& one : slaves_) {
        parts << QStringLiteral("slave %1 %2 packets %3")
                     .arg(one.address)
                     .arg(one.reachable ? QStringLiteral("reachable") : QStringLiteral("unreachable"))
                     .arg(one.packets.size());
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace kvt::sim
