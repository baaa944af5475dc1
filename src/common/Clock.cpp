#include "common/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace kvt {

void Clock::waitPumping(int ms)
{
    const qint64 start = ticks();
    while (ticks() - start < ms) {
        sleep(kPumpStepMs);
        processEvents();
    }
}

void Clock::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::ticks() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

void SystemClock::sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace kvt
