#include "PtyPair.h"

#include <QElapsedTimer>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        vanish();
        return;
    }
    slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    vanish();
}

void PtyPair::vanish()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void PtyPair::send(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (put > 0)
            done += put;
        else
            QThread::msleep(1);
    }
}

QByteArray PtyPair::received(int atLeast, int timeoutMs)
{
    QByteArray all;
    QElapsedTimer timer;
    timer.start();
    char chunk[4096];
    while (timer.elapsed() < timeoutMs) {
        const ssize_t got = ::read(master_, chunk, sizeof chunk);
        if (got > 0) {
            all.append(chunk, got);
            continue;
        }
        if (all.size() >= atLeast)
            break;
        pollfd watch{master_, POLLIN, 0};
        ::poll(&watch, 1, 10);
    }
    return all;
}

bool PtyPair::WaitForQueued(int fd, int count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        int queued = 0;
        if (::ioctl(fd, FIONREAD, &queued) == 0 && queued >= count)
            return true;
        QThread::msleep(2);
    }
    return false;
}
