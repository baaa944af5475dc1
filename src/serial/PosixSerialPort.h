#pragma once

#include "serial/ModemLineControl.h"
#include "serial/SerialPort.h"

#include <memory>

namespace kvt {

// A serial port on a termios device (a real port, a USB adapter or a pseudo-terminal).
//
// Exclusive use: the device is marked exclusive (TIOCEXCL) and locked with flock, so a second
// opener is refused even when it runs with the privileges that TIOCEXCL lets through.
// Reads never wait (VMIN = VTIME = 0 on a non-blocking descriptor); a device that has gone away
// (hang-up, unplugged adapter) raises an error on the next operation instead of reading as
// "nothing arrived" for ever.
class PosixSerialPort final : public SerialPort {
public:
    explicit PosixSerialPort(PortSettings initial = {},
                             std::shared_ptr<ModemLineControl> lines = DefaultModemLineControl());
    ~PosixSerialPort() override;

    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    void Open() override;
    void Close() override;
    bool Connected() const override { return fd_ >= 0; }
    void Purge() override;

    qint64 write(QByteArrayView bytes) override;
    qint64 read(char* buffer, qint64 maxCount) override;

    // The open file descriptor (-1 while closed).
    int nativeHandle() const override { return fd_; }
    // The device file the port was opened on (empty while closed).
    const QString& openedDevice() const { return openedDevice_; }
    // False when the open device has no modem-control lines (a pseudo-terminal): DTR and RTS
    // were left alone.
    bool modemLinesDriven() const { return modemLinesDriven_; }

private:
    void applyLineSettings();
    void applyModemLines();
    void throwIfHungUp(const char* operation);
    [[noreturn]] void fail(const char* operation, int code) const;

    std::shared_ptr<ModemLineControl> lines_;
    int fd_ = -1;
    QString openedDevice_;
    bool modemLinesDriven_ = false;
};

} // namespace kvt
