#include "PtyDevice.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace kvt::sim {

PtyDevice::PtyDevice(QObject* parent) : QObject(parent) {}

PtyDevice::~PtyDevice()
{
    readNotifier_.reset();
    writeNotifier_.reset();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
}

QString PtyDevice::open()
{
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    ::cfsetspeed(&raw, B115200);
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    path_ = QString::fromLocal8Bit(name);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &PtyDevice::readReady);
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &PtyDevice::flush);
    return {};
}

void PtyDevice::readReady()
{
    char chunk[1024];
    for (;;) {
        const ssize_t got = ::read(master_, chunk, sizeof chunk);
        if (got > 0) {
            emit received(QByteArray(chunk, got));
            continue;
        }
        return;
    }
}

void PtyDevice::write(const QByteArray& bytes)
{
    pending_ += bytes;
    flush();
}

void PtyDevice::flush()
{
    while (!pending_.isEmpty()) {
        const ssize_t put = ::write(master_, pending_.constData(), size_t(pending_.size()));
        if (put <= 0)
            break;
        pending_.remove(0, put);
    }
    // Whatever the driver would not take yet goes out when it has room again.
    writeNotifier_->setEnabled(!pending_.isEmpty());
}

} // namespace kvt::sim
