#pragma once

#include "common/Clock.h"
#include "common/DesktopShell.h"
#include "common/EventSink.h"
#include "common/MainTimers.h"
#include "common/OperatorNotices.h"
#include "common/SoundPlayer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <stdexcept>

// Stand-ins for the console's outlets (event log, timers, message boxes, sounds, desktop shell)
// that record what they were given.
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
    // Pending while the last line is green: an action was logged as started.
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
    // Each line as "title|text|colour value".
    QStringList entries() const
    {
        QStringList out;
        for (const Line& line : lines)
            out << QStringLiteral("%1|%2|%3").arg(line.title, line.text).arg(quint32(line.colour));
        return out;
    }
};

// The six timers as flags, with the number of stops of each; every start is recorded with the
// clock's ticks when a clock is given.
class FakeMainTimers : public MainTimers {
public:
    struct Start {
        MainTimer timer;
        qint64 at;
        bool operator==(const Start&) const = default;
    };
    std::array<bool, 6> active{};
    QList<Start> starts;
    std::array<int, 6> stops{};
    const Clock* clock = nullptr;

    void start(MainTimer timer) override
    {
        active[index(timer)] = true;
        starts.append({timer, clock ? clock->ticks() : 0});
    }
    void stop(MainTimer timer) override
    {
        active[index(timer)] = false;
        ++stops[index(timer)];
    }
    bool isActive(MainTimer timer) const override { return active[index(timer)]; }
    int startsOf(MainTimer timer) const
    {
        return int(std::count_if(starts.begin(), starts.end(), [timer](const Start& s) { return s.timer == timer; }));
    }
    int stopsOf(MainTimer timer) const { return stops[index(timer)]; }

private:
    static size_t index(MainTimer timer) { return static_cast<size_t>(timer); }
};

// Notices shown to the operator, recorded instead of shown, both kinds in one list.
class RecordingNotices : public OperatorNotices {
public:
    QStringList shown;
    void notice(const QString& text) override { shown << text; }
    void information(const QString& text) override { shown << text; }
};

// Sounds played by name.
class RecordingPlayer : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& name) override { played << name; }
};

// Documents handed to the desktop shell.
class RecordingShell : public DesktopShell {
public:
    QStringList opened;
    bool open(const QString& path) override
    {
        opened << path;
        return true;
    }
};

} // namespace kvt::test
