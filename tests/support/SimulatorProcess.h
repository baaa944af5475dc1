#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kvt::test {

// A simulator of the tools folder (kvt-sim-modem, kvt-sim-radio, kvt-sim-rs485 from
// KVT_TOOLS_DIR) run as a child process: its pseudo-terminal path, its script commands, its
// event lines and its transcript.
class SimulatorProcess {
public:
    SimulatorProcess(const QString& program, const QStringList& arguments);
    virtual ~SimulatorProcess();

    // False (with a reason) when the simulator could not be started.
    bool started() const { return !devicePath_.isEmpty(); }
    const QString& failure() const { return failure_; }
    const QString& devicePath() const { return devicePath_; }

    // Runs a script command and returns its acknowledgement ("OK ...", "ERROR ...", "STATUS ...").
    QString control(const QString& command, int timeoutMs = 3000);
    // Waits for an event line starting with the prefix (seen ones included).
    QString waitForLine(const QString& prefix, int timeoutMs = 3000);
    // Waits for the event line starting with the prefix that comes after `skip` earlier ones.
    QString waitForNthLine(const QString& prefix, int skip, int timeoutMs = 3000);
    // Reads whatever the simulator has printed by now.
    void collect();
    // Every line read so far.
    const QStringList& lines() const { return lines_; }
    // The lines printed by now that start with the prefix.
    QStringList linesStartingWith(const QString& prefix);
    QString transcript() const;

private:
    QString readLine(int timeoutMs);

    QTemporaryDir dir_;
    QProcess process_;
    QString devicePath_;
    QString failure_;
    QStringList lines_;
    int consumed_ = 0;
};

} // namespace kvt::test
