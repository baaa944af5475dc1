#include "links/ModbusRtuMaster.h"

#include "common/Errors.h"
#include "serial/PortErrorReason.h"

#include <modbus/modbus.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kvt::links {

namespace {

constexpr char kNoParity = 'N';
constexpr int kDataBits = 8;
constexpr int kStopBits = 1;
constexpr int kMsPerSecond = 1000;
constexpr int kUsPerMs = 1000;

// System errors read as on every port; the protocol's own codes in libmodbus's words.
[[noreturn]] void Fail(const QString& device, const char* operation, int code)
{
    const QString reason = code < MODBUS_ENOBASE
        ? PortErrorReason(code)
        : QStringLiteral("%1 (код %2)").arg(QString::fromLocal8Bit(modbus_strerror(code))).arg(code);
    throw PortError(QStringLiteral("Порт %1: %2: %3").arg(device, QString::fromUtf8(operation), reason), code);
}

} // namespace

ModbusRtuMaster::ModbusRtuMaster(int descriptor, const QString& device, int baudRate, int responseTimeoutMs)
    : device_(device)
{
    const QByteArray name = device.toLocal8Bit();
    context_ = modbus_new_rtu(name.constData(), baudRate, kNoParity, kDataBits, kStopBits);
    if (!context_)
        Fail(device_, "Modbus RTU", errno);
    // The console's port is already open and set up: libmodbus only reads and writes it.
    modbus_set_socket(context_, descriptor);
    modbus_set_response_timeout(context_, uint32_t(responseTimeoutMs / kMsPerSecond),
                                uint32_t((responseTimeoutMs % kMsPerSecond) * kUsPerMs));
}

ModbusRtuMaster::~ModbusRtuMaster()
{
    // modbus_free releases the context only; modbus_close would close the console's descriptor.
    modbus_free(context_);
}

void ModbusRtuMaster::address(int slave)
{
    if (modbus_set_slave(context_, slave) != 0)
        Fail(device_, "адрес ведомого", errno);
    // An answer that came too late for an earlier request must not pass for this one.
    modbus_flush(context_);
}

ModbusReply ModbusRtuMaster::failure(const char* operation) const
{
    const int code = errno;
    if (code == ETIMEDOUT)
        return {ModbusOutcome::TimedOut, {}};
    if (code == EMBBADCRC)
        return {ModbusOutcome::BadCrc, {}};
    if (code >= EMBXILFUN && code <= EMBXGTAR)
        return {ModbusOutcome::ExceptionReply, {}};
    if (code == EMBBADDATA || code == EMBBADEXC || code == EMBUNKEXC || code == EMBMDATA || code == EMBBADSLAVE)
        return {ModbusOutcome::BadAnswer, {}};
    Fail(device_, operation, code);
}

ModbusReply ModbusRtuMaster::readInputRegisters(int slave, int address, int count)
{
    this->address(slave);
    std::vector<uint16_t> values(size_t(std::max(count, 0)));
    const int got = modbus_read_input_registers(context_, address, count, values.data());
    if (got < 0)
        return failure("ошибка чтения регистров");
    return {ModbusOutcome::Answered, QList<quint16>(values.begin(), values.begin() + got)};
}

ModbusReply ModbusRtuMaster::writeRegisters(int slave, int address, const QList<quint16>& values)
{
    this->address(slave);
    const std::vector<uint16_t> data(values.begin(), values.end());
    if (modbus_write_registers(context_, address, int(data.size()), data.data()) < 0)
        return failure("ошибка записи регистров");
    return {ModbusOutcome::Answered, {}};
}

} // namespace kvt::links
