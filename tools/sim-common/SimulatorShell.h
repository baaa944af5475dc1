#pragma once

#include "LineReader.h"
#include "PtyDevice.h"
#include "Transcript.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QString>
#include <QTextStream>

#include <functional>
#include <memory>

namespace kvt::sim {

// The frame of a simulator on a pseudo-terminal: the options --link PATH (a symbolic link to
// the device), --transcript FILE and --control FIFO (script commands besides stdin); the
// device and the transcript; script lines from stdin and the FIFO handed to the simulator's
// command runner, whose answer is printed; SIGTERM and SIGINT end the event loop; "PTY <device>"
// and "LINK <path>" on stdout once ready; the link and the FIFO removed at the end.
class SimulatorShell {
public:
    explicit SimulatorShell(QString name);
    ~SimulatorShell();

    void addOptions(QCommandLineParser& parser);
    // Opens the device, the transcript and the link; false after telling why on stderr.
    bool open(const QCommandLineParser& parser);
    // Starts reading script lines; the runner's non-empty answers are printed.
    bool listen(const QCommandLineParser& parser, std::function<QString(const QString&)> runCommand);
    // Prints the ready lines, runs the event loop and cleans up.
    int exec(QCoreApplication& app);

    PtyDevice& device() { return device_; }
    Transcript& transcript() { return transcript_; }
    // One line on stdout (event lines and answers).
    void say(const QString& line);
    // Tells why on stderr; returns 1 for main() to return.
    int complain(const QString& text);

private:
    bool failed(const QString& text);

    QString name_;
    PtyDevice device_;
    Transcript transcript_;
    QTextStream out_;
    QTextStream err_;
    QString link_;
    QString fifo_;
    std::unique_ptr<LineReader> stdinReader_;
    std::unique_ptr<LineReader> fifoReader_;
    std::unique_ptr<QSocketNotifier> signalNotifier_;
};

// The packets of a packet list file: one per line, either "NAME HEX" or "HEX"; blank lines and
// lines starting with '#' are skipped. Returns an error text on failure.
QString LoadPackets(const QString& path, QList<QByteArray>& packets);
// A packet given as hexadecimal text; none when it is not an even run of hex digits.
std::optional<QByteArray> PacketFromHex(const QString& hex);

} // namespace kvt::sim
