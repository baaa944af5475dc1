#include "app/MainWindowTimers.h"

namespace kvt {

MainWindowTimers::MainWindowTimers(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("MainWindowTimers"));
    for (MainTimer timer : kAll) {
        auto* t = new QTimer(this);
        t->setObjectName(nameOf(timer));
        t->setInterval(intervalOf(timer));
        timers_[index(timer)] = t;
    }
}

QString MainWindowTimers::nameOf(MainTimer timer)
{
    switch (timer) {
    case MainTimer::QueryTimer: return QStringLiteral("QueryTimer");
    case MainTimer::ATTimer: return QStringLiteral("ATTimer");
    case MainTimer::Timer2: return QStringLiteral("Timer2");
    case MainTimer::Timer1: return QStringLiteral("Timer1");
    case MainTimer::Timer_Avari_Snd: return QStringLiteral("Timer_Avari_Snd");
    case MainTimer::Timer_mig: return QStringLiteral("Timer_mig");
    }
    return {};
}

int MainWindowTimers::intervalOf(MainTimer timer)
{
    switch (timer) {
    case MainTimer::QueryTimer: return kQueryTimerMs;
    case MainTimer::ATTimer: return kATTimerMs;
    case MainTimer::Timer2: return kTimer2Ms;
    case MainTimer::Timer1: return kTimer1Ms;
    case MainTimer::Timer_Avari_Snd: return kAvariSoundMs;
    case MainTimer::Timer_mig: return kBlinkMs;
    }
    return 0;
}

} // namespace kvt
