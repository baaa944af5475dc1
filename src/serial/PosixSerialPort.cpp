#include "serial/PosixSerialPort.h"

#include "common/Errors.h"
#include "serial/BaudRates.h"
#include "serial/PortErrorReason.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kvt {

namespace {

constexpr short kGoneEvents = POLLHUP | POLLERR | POLLNVAL;

} // namespace

PosixSerialPort::PosixSerialPort(PortSettings initial, std::shared_ptr<ModemLineControl> lines)
    : lines_(std::move(lines))
{
    setSettings(initial);
}

PosixSerialPort::~PosixSerialPort()
{
    Close();
}

void PosixSerialPort::fail(const char* operation, int code) const
{
    const QString device = openedDevice_.isEmpty() ? ResolveDeviceName(settings().device) : openedDevice_;
    throw PortError(QStringLiteral("Порт %1: %2: %3").arg(device, QString::fromUtf8(operation), PortErrorReason(code)),
                    code);
}

void PosixSerialPort::Open()
{
    if (Connected())
        return;
    // A speed the driver cannot set is refused before the device is touched.
    if (!BaudRateConstant(settings().baudRate))
        fail("не удалось задать скорость", EINVAL);
    const QString device = ResolveDeviceName(settings().device);
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        openedDevice_.clear();
        fail("не удалось открыть", code);
    }
    fd_ = fd;
    openedDevice_ = device;
    try {
        // A second opener of this program meets the lock; one of another program meets TIOCEXCL.
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
            fail("не удалось открыть", errno == EWOULDBLOCK ? EBUSY : errno);
        if (::ioctl(fd_, TIOCEXCL) != 0)
            fail("не удалось открыть", errno);
        // The termios driver keeps queues of its own, larger than kInputQueueSize and
        // kOutputQueueSize; there is nothing to ask for here.
        applyLineSettings();
        applyModemLines();
    } catch (...) {
        ::close(fd_);
        fd_ = -1;
        openedDevice_.clear();
        throw;
    }
}

void PosixSerialPort::applyLineSettings()
{
    const speed_t speed = *BaudRateConstant(settings().baudRate);
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        fail("не удалось прочитать параметры линии", errno);
    ::cfmakeraw(&tio);
    // 8 data bits, no parity, one stop bit; no hardware or software flow control.
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // Time-outs: a read returns at once with whatever has arrived.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0)
        fail("не удалось задать скорость", errno);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
        fail("не удалось задать параметры линии", errno);
}

void PosixSerialPort::applyModemLines()
{
    modemLinesDriven_ = false;
    for (const auto& [line, high] : {std::pair{ModemLine::DTR, settings().dtr}, std::pair{ModemLine::RTS, settings().rts}}) {
        const int code = lines_->setLine(fd_, line, high);
        if (code == ENOTTY || code == EINVAL)
            return; // no modem-control lines on this device (a pseudo-terminal)
        if (code != 0)
            fail(line == ModemLine::DTR ? "не удалось задать DTR" : "не удалось задать RTS", code);
    }
    modemLinesDriven_ = true;
}

void PosixSerialPort::Close()
{
    if (!Connected())
        return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_); // also releases the lock
    fd_ = -1;
    openedDevice_.clear();
    modemLinesDriven_ = false;
}

void PosixSerialPort::Purge()
{
    // Only what has arrived is dropped: a command written just before (the hang-up of an
    // answered call) must still reach the modem, which a flush of the output queue would
    // retract while the device has not yet taken it.
    if (Connected())
        ::tcflush(fd_, TCIFLUSH);
}

void PosixSerialPort::throwIfHungUp(const char* operation)
{
    pollfd watch{fd_, POLLIN, 0};
    if (::poll(&watch, 1, 0) > 0 && (watch.revents & kGoneEvents))
        fail(operation, EIO);
}

qint64 PosixSerialPort::read(char* buffer, qint64 maxCount)
{
    constexpr const char* kOperation = "ошибка чтения";
    if (!Connected())
        fail(kOperation, EBADF);
    if (maxCount <= 0)
        return 0;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, static_cast<size_t>(maxCount));
        if (got > 0)
            return got;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno != EAGAIN)
            fail(kOperation, errno);
        // Nothing waiting, or a device that has hung up and reads as end of file.
        throwIfHungUp(kOperation);
        return 0;
    }
}

qint64 PosixSerialPort::write(QByteArrayView bytes)
{
    constexpr const char* kOperation = "ошибка записи";
    if (!Connected())
        fail(kOperation, EBADF);
    const qint64 total = bytes.size();
    QDeadlineTimer deadline(total * kWriteTimeoutPerByteMs + kWriteTimeoutConstantMs);
    qint64 written = 0;
    while (written < total) {
        const ssize_t put = ::write(fd_, bytes.data() + written, static_cast<size_t>(total - written));
        if (put > 0) {
            written += put;
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            fail(kOperation, errno);
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            break; // the write time-out ran out: the caller does not look at the count
        pollfd watch{fd_, POLLOUT, 0};
        if (::poll(&watch, 1, static_cast<int>(remaining)) > 0 && (watch.revents & kGoneEvents))
            fail(kOperation, EIO);
    }
    return written;
}

} // namespace kvt
