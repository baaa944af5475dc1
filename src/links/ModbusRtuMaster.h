#pragma once

#include <QList>
#include <QString>

struct _modbus;

namespace kvt::links {

enum class ModbusOutcome {
    Answered,       // a good answer
    TimedOut,       // no answer within the response time-out
    BadCrc,         // an answer whose CRC is wrong
    ExceptionReply, // the slave refused the request with an exception code
    BadAnswer,      // an answer that does not fit the request (wrong slave, function or size)
};

struct ModbusReply {
    ModbusOutcome outcome = ModbusOutcome::TimedOut;
    QList<quint16> registers; // what a read returned
};

// Modbus RTU as the master, through libmodbus, on a descriptor that someone else has opened and
// keeps (the console's own serial port with its exclusive open and line settings). The
// descriptor is never closed here. One request at a time: each call sends, waits up to the
// response time-out and returns the outcome. A failure of the device itself (gone, unreadable)
// raises PortError.
class ModbusRtuMaster {
public:
    ModbusRtuMaster(int descriptor, const QString& device, int baudRate, int responseTimeoutMs);
    ~ModbusRtuMaster();
    ModbusRtuMaster(const ModbusRtuMaster&) = delete;
    ModbusRtuMaster& operator=(const ModbusRtuMaster&) = delete;

    // Function 0x04.
    ModbusReply readInputRegisters(int slave, int address, int count);
    // Function 0x10.
    ModbusReply writeRegisters(int slave, int address, const QList<quint16>& values);

private:
    void address(int slave);
    ModbusReply failure(const char* operation) const;

    _modbus* context_ = nullptr;
    QString device_;
};

} // namespace kvt::links
