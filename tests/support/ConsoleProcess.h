#pragma once

#include "common/Win1251.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <functional>

// The console itself as a process, for tests of what only a whole console shows: the
// single-instance guard, the signals of a system shutdown, the windows on a real display.
namespace kvt::test {

// The console started on an instance folder with a runtime folder of its own, so that the guard
// of a console running on this machine is not touched. `platform` is the Qt platform it draws on.
// Killed when it still runs at the end of the test.
class ConsoleProcess {
public:
    ConsoleProcess(const QString& home, const QString& runtime, const QStringList& arguments = {},
                   const QString& platform = QStringLiteral("offscreen"))
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        process.setProcessEnvironment(env);
        process.setProgram(qEnvironmentVariable("KVT_TOOLS_DIR") + QStringLiteral("/kvt"));
        process.setArguments(QStringList{QStringLiteral("--home"), home} + arguments);
    }
    ~ConsoleProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    qint64 pid() const { return process.processId(); }
    void signal(int signalNumber) { ::kill(pid_t(process.processId()), signalNumber); }

    QProcess process;
};

// Polls the condition while the test's own events are processed; false when it is still not
// met after `ms` milliseconds.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 20000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

// The instance's report.log as text; empty while it does not exist.
inline QString ReadEventLog(const QString& home)
{
    QFile log(home + QStringLiteral("/report.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return FromWin1251(log.readAll());
}

} // namespace kvt::test
