#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kvt::test {

// The GSM modem simulator (kvt-sim-modem from KVT_TOOLS_DIR) run as a child process for
// end-to-end tests: its pseudo-terminal path, its script commands and its transcript.
class SimModemProcess {
public:
    // Quick timings unless the arguments say otherwise.
    static QStringList FastTimings();

    explicit SimModemProcess(const QStringList& arguments = FastTimings());
    ~SimModemProcess();

    // False (with a reason) when the simulator could not be started.
    bool started() const { return !devicePath_.isEmpty(); }
    const QString& failure() const { return failure_; }
    const QString& devicePath() const { return devicePath_; }

    // Runs a script command and returns its acknowledgement ("OK ...", "ERROR ...", "STATUS ...").
    QString control(const QString& command, int timeoutMs = 3000);
    // Waits for an event line of the simulator starting with the prefix (seen ones included).
    QString waitForLine(const QString& prefix, int timeoutMs = 3000);
    // Every line the simulator has printed so far.
    const QStringList& lines() const { return lines_; }
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
