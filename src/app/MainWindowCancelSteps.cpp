#include "app/MainWindowCancelSteps.h"

#include "common/MainTimers.h"
#include "serial/SerialPort.h"

namespace kvt {

bool MainWindowCancelSteps::isModemPortOpen() const
{
    return port_.Connected();
}

void MainWindowCancelSteps::writeToModem(const QByteArray& bytes)
{
    port_.write(bytes);
}

void MainWindowCancelSteps::enableATTimer()
{
    timers_.start(MainTimer::ATTimer);
}

void MainWindowCancelSteps::enableQueryTimer()
{
    timers_.start(MainTimer::QueryTimer);
}

void MainWindowCancelSteps::enableTimer2()
{
    timers_.start(MainTimer::Timer2);
}

} // namespace kvt
