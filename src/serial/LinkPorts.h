#pragma once

#include "serial/SerialPort.h"

#include <memory>

namespace kvt {

// The three port objects of the main window, one per link. They start closed, on COM1, with
// DTR and RTS low; the settings of a link are applied when the link is connected.
class LinkPorts {
public:
    static constexpr qint32 kModemInitialBaudRate = 115200;
    static constexpr qint32 kZigBeeInitialBaudRate = 9600;
    static constexpr qint32 kRs485InitialBaudRate = 9600;
    static const QString kInitialDevice;

    // Real termios ports.
    LinkPorts();
    // Ports made elsewhere (tests hand in scripted ones); each gets its initial settings.
    LinkPorts(std::unique_ptr<SerialPort> modem, std::unique_ptr<SerialPort> zigBee,
              std::unique_ptr<SerialPort> rs485);

    SerialPort& Port_Modem() { return *modem_; }
    SerialPort& Port_ZigBee() { return *zigBee_; }
    SerialPort& Port_RS485() { return *rs485_; }

    static PortSettings InitialSettings(qint32 baudRate);

private:
    std::unique_ptr<SerialPort> modem_;
    std::unique_ptr<SerialPort> zigBee_;
    std::unique_ptr<SerialPort> rs485_;
};

} // namespace kvt
