#include "serial/LinkPorts.h"

#include "serial/PosixSerialPort.h"

namespace kvt {

const QString LinkPorts::kInitialDevice = QStringLiteral("COM1");

PortSettings LinkPorts::InitialSettings(qint32 baudRate)
{
    PortSettings settings;
    settings.device = kInitialDevice;
    settings.baudRate = baudRate;
    settings.dtr = false;
    settings.rts = false;
    return settings;
}

LinkPorts::LinkPorts()
    : LinkPorts(std::make_unique<PosixSerialPort>(), std::make_unique<PosixSerialPort>(),
                std::make_unique<PosixSerialPort>())
{
}

LinkPorts::LinkPorts(std::unique_ptr<SerialPort> modem, std::unique_ptr<SerialPort> zigBee,
                     std::unique_ptr<SerialPort> rs485)
    : modem_(std::move(modem)), zigBee_(std::move(zigBee)), rs485_(std::move(rs485))
{
    modem_->setSettings(InitialSettings(kModemInitialBaudRate));
    zigBee_->setSettings(InitialSettings(kZigBeeInitialBaudRate));
    rs485_->setSettings(InitialSettings(kRs485InitialBaudRate));
}

} // namespace kvt
