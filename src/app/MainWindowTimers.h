#pragma once

#include "common/MainTimers.h"

#include <QObject>
#include <QTimer>

#include <array>

namespace kvt {

// The six timers of the main window, with their names and intervals. Timer2 (link supervision)
// runs from start-up; the others are started by the code that needs them.
class MainWindowTimers final : public QObject, public MainTimers {
    Q_OBJECT
public:
    static constexpr int kQueryTimerMs = 1000;
    static constexpr int kATTimerMs = 1000;
    static constexpr int kTimer2Ms = 5000;
    static constexpr int kTimer1Ms = 500;
    static constexpr int kAvariSoundMs = 550;
    static constexpr int kBlinkMs = 400;

    explicit MainWindowTimers(QObject* parent = nullptr);

    void start(MainTimer timer) override { qtimer(timer).start(); }
    void stop(MainTimer timer) override { qtimer(timer).stop(); }
    bool isActive(MainTimer timer) const override { return timers_[index(timer)]->isActive(); }

    QTimer& qtimer(MainTimer timer) { return *timers_[index(timer)]; }

    static QString nameOf(MainTimer timer);
    static int intervalOf(MainTimer timer);
    static constexpr std::array<MainTimer, 6> kAll = {MainTimer::QueryTimer, MainTimer::ATTimer,
                                                      MainTimer::Timer2,     MainTimer::Timer1,
                                                      MainTimer::Timer_Avari_Snd, MainTimer::Timer_mig};

private:
    static size_t index(MainTimer timer) { return static_cast<size_t>(timer); }

    std::array<QTimer*, 6> timers_{};
};

} // namespace kvt
