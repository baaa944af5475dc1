// kvt-sim-modem: a GSM modem on a pseudo-terminal.
//
//   kvt-sim-modem [--link /tmp/kvt-modem] [--transcript modem.log] [--control /tmp/kvt-modem.ctl]
//
// Prints "PTY <device>" (and "LINK <path>") on stdout, then answers AT commands on that device.
// Script it with the commands of ControlCommands.h on stdin or through the control FIFO.

#include "ControlCommands.h"
#include "PtyDevice.h"
#include "SimModem.h"
#include "Transcript.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kvt::sim;

namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
}

// Reads lines from a descriptor as they arrive and hands each to `handle`.
class LineReader : public QObject {
public:
    LineReader(int fd, std::function<void(const QString&)> handle, QObject* parent)
        : QObject(parent), fd_(fd), handle_(std::move(handle)), notifier_(fd, QSocketNotifier::Read)
    {
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { readSome(); });
    }

private:
    void readSome()
    {
        char chunk[1024];
        for (;;) {
            const ssize_t got = ::read(fd_, chunk, sizeof chunk);
            if (got == 0) {
                notifier_.setEnabled(false); // end of input: keep running on the other sources
                return;
            }
            if (got < 0)
                return;
            buffer_.append(chunk, got);
            qsizetype end;
            while ((end = buffer_.indexOf('\n')) >= 0) {
                handle_(QString::fromUtf8(buffer_.left(end)));
                buffer_.remove(0, end + 1);
            }
        }
    }

    int fd_;
    std::function<void(const QString&)> handle_;
    QSocketNotifier notifier_;
    QByteArray buffer_;
};

int IntOption(const QCommandLineParser& parser, const QString& name, int fallback)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    return parser.isSet(name) && ok ? value : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kvt-sim-modem"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A GSM modem on a pseudo-terminal, scripted on stdin."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options{
        {QStringLiteral("link"), QStringLiteral("Symbolic link to the device."), QStringLiteral("path")},
        {QStringLiteral("transcript"), QStringLiteral("File of everything exchanged."), QStringLiteral("file")},
        {QStringLiteral("control"), QStringLiteral("FIFO to read script commands from."), QStringLiteral("path")},
        {QStringLiteral("cmgf"), QStringLiteral("Message format at power-on (0 PDU, 1 text)."), QStringLiteral("n")},
        {QStringLiteral("no-echo"), QStringLiteral("Start with echo off.")},
        {QStringLiteral("rssi"), QStringLiteral("Signal strength 0-31, 99 unknown."), QStringLiteral("n")},
        {QStringLiteral("creg"), QStringLiteral("Registration state."), QStringLiteral("n")},
        {QStringLiteral("capacity"), QStringLiteral("Places in the message memory."), QStringLiteral("n")},
        {QStringLiteral("dial-ms"), QStringLiteral("Dialling time of a call."), QStringLiteral("ms")},
        {QStringLiteral("alert-ms"), QStringLiteral("Ringing time at the far end."), QStringLiteral("ms")},
        {QStringLiteral("ring-interval-ms"), QStringLiteral("Between RING notices."), QStringLiteral("ms")},
        {QStringLiteral("max-rings"), QStringLiteral("Rings before a caller gives up."), QStringLiteral("n")},
        {QStringLiteral("submit-delay-ms"), QStringLiteral("From the PDU to +CMGS."), QStringLiteral("ms")},
        {QStringLiteral("ussd-delay-ms"), QStringLiteral("From a USSD request to its answer."), QStringLiteral("ms")},
        {QStringLiteral("answer-sms-delay-ms"), QStringLiteral("From an answered call to the object's message."), QStringLiteral("ms")},
    };
    parser.addOptions(options);
    parser.process(app);

    SimSettings settings;
    settings.messageFormat = IntOption(parser, QStringLiteral("cmgf"), settings.messageFormat);
    settings.echo = !parser.isSet(QStringLiteral("no-echo"));
    settings.rssi = IntOption(parser, QStringLiteral("rssi"), settings.rssi);
    settings.registration = IntOption(parser, QStringLiteral("creg"), settings.registration);
    settings.storeCapacity = IntOption(parser, QStringLiteral("capacity"), settings.storeCapacity);
    settings.calls.dialMs = IntOption(parser, QStringLiteral("dial-ms"), settings.calls.dialMs);
    settings.calls.alertMs = IntOption(parser, QStringLiteral("alert-ms"), settings.calls.alertMs);
    settings.calls.ringIntervalMs = IntOption(parser, QStringLiteral("ring-interval-ms"), settings.calls.ringIntervalMs);
    settings.calls.maxRings = IntOption(parser, QStringLiteral("max-rings"), settings.calls.maxRings);
    settings.submitDelayMs = IntOption(parser, QStringLiteral("submit-delay-ms"), settings.submitDelayMs);
    settings.ussdDelayMs = IntOption(parser, QStringLiteral("ussd-delay-ms"), settings.ussdDelayMs);
    settings.answerSmsDelayMs = IntOption(parser, QStringLiteral("answer-sms-delay-ms"), settings.answerSmsDelayMs);

    QTextStream out(stdout);
    QTextStream err(stderr);
    auto say = [&out](const QString& line) {
        out << line << '\n';
        out.flush();
    };

    PtyDevice device;
    if (const QString error = device.open(); !error.isEmpty()) {
        err << "kvt-sim-modem: cannot open a pseudo-terminal: " << error << '\n';
        return 1;
    }
    Transcript transcript;
    if (parser.isSet(QStringLiteral("transcript")) && !transcript.open(parser.value(QStringLiteral("transcript")))) {
        err << "kvt-sim-modem: cannot write " << parser.value(QStringLiteral("transcript")) << '\n';
        return 1;
    }
    const QString link = parser.value(QStringLiteral("link"));
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(device.path(), link)) {
            err << "kvt-sim-modem: cannot create the link " << link << '\n';
            return 1;
        }
    }

    SimModem modem(settings);
    ControlCommands control(modem);
    QObject::connect(&device, &PtyDevice::received, &modem, [&](const QByteArray& bytes) {
        transcript.fromConsole(bytes);
        modem.receive(bytes);
    });
    QObject::connect(&modem, &SimModem::output, &device, [&](const QByteArray& bytes) {
        transcript.toConsole(bytes);
        device.write(bytes);
    });
    QObject::connect(&modem, &SimModem::event, &app, [&](const QString& line) {
        transcript.note(line);
        say(line);
    });
    QObject::connect(&control, &ControlCommands::note, &app, [&](const QString& line) { transcript.note(line); });
    QObject::connect(&control, &ControlCommands::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    auto runControl = [&](const QString& line) {
        const QString reply = control.run(line);
        if (!reply.isEmpty())
            say(reply);
    };

    LineReader stdinReader(STDIN_FILENO, runControl, &app);
    std::unique_ptr<LineReader> fifoReader;
    const QString fifo = parser.value(QStringLiteral("control"));
    if (!fifo.isEmpty()) {
        const QByteArray path = QFile::encodeName(fifo);
        ::unlink(path.constData());
        // Opened for reading and writing so the FIFO never reads as ended between writers.
        if (::mkfifo(path.constData(), 0600) != 0) {
            err << "kvt-sim-modem: cannot create the FIFO " << fifo << '\n';
            return 1;
        }
        fifoReader = std::make_unique<LineReader>(::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC),
                                                  runControl, &app);
    }

    ::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe);
    QSocketNotifier signalNotifier(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    say(QStringLiteral("PTY ") + device.path());
    if (!link.isEmpty())
        say(QStringLiteral("LINK ") + link);
    transcript.note(QStringLiteral("modem on ") + device.path());

    const int result = app.exec();
    if (!link.isEmpty())
        QFile::remove(link);
    if (!fifo.isEmpty())
        QFile::remove(fifo);
    return result;
}
