#pragma once

#include "common/Clock.h"
#include "common/EventSink.h"
#include "common/MainTimers.h"
#include "common/OperatorMessage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace kvt::test {

// An event sink that keeps every logged line; it can be told to fail like a locked log file.
class RecordingEventSink : public EventSink {
public:
    struct Line {
        QString title;
        QString text;
        EventColour colour;
    };
    QList<Line> lines;
    bool failWrites = false;

    void LogEvent(const QString& title, const QString& text, EventColour colour) override
    {
        lines.append({title, text, colour});
        if (failWrites)
            throw std::runtime_error("report.log is locked");
    }
    bool IsActionPending() const override
    {
        return !lines.isEmpty() && lines.last().colour == EventColour::Green;
    }
    QStringList titles() const
    {
        QStringList out;
        for (const Line& line : lines)
            out << line.title;
        return out;
    }
};

// The six timers as flags; every start is recorded with the clock's ticks when a clock is given.
class FakeMainTimers : public MainTimers {
public:
    struct Start {
        MainTimer timer;
        qint64 at;
        bool operator==(const Start&) const = default;
    };
    std::array<bool, 6> active{};
    QList<Start> starts;
    const Clock* clock = nullptr;

    void start(MainTimer timer) override
    {
        active[static_cast<size_t>(timer)] = true;
        starts.append({timer, clock ? clock->ticks() : 0});
    }
    void stop(MainTimer timer) override { active[static_cast<size_t>(timer)] = false; }
    bool isActive(MainTimer timer) const override { return active[static_cast<size_t>(timer)]; }
};

// Notices shown to the operator, recorded instead of shown.
class RecordingMessages : public OperatorMessage {
public:
    QStringList shown;
    void showMessage(const QString& text) override { shown << text; }
};

} // namespace kvt::test
