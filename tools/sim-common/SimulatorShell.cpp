#include "SimulatorShell.h"

#include "common/Hex.h"

#include <QFile>
#include <QRegularExpression>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvt::sim {

namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
}

const QString kLinkOption = QStringLiteral("link");
const QString kTranscriptOption = QStringLiteral("transcript");
const QString kControlOption = QStringLiteral("control");

} // namespace

SimulatorShell::SimulatorShell(QString name) : name_(std::move(name)), out_(stdout), err_(stderr) {}

SimulatorShell::~SimulatorShell()
{
    if (!link_.isEmpty())
        QFile::remove(link_);
    if (!fifo_.isEmpty())
        QFile::remove(fifo_);
}

void SimulatorShell::addOptions(QCommandLineParser& parser)
{
    parser.addHelpOption();
    parser.addOptions({
        {kLinkOption, QStringLiteral("Symbolic link to the device."), QStringLiteral("path")},
        {kTranscriptOption, QStringLiteral("File of everything exchanged."), QStringLiteral("file")},
        {kControlOption, QStringLiteral("FIFO to read script commands from."), QStringLiteral("path")},
    });
}

void SimulatorShell::say(const QString& line)
{
    out_ << line << '\n';
    out_.flush();
}

bool SimulatorShell::failed(const QString& text)
{
    complain(text);
    return false;
}

int SimulatorShell::complain(const QString& text)
{
    err_ << name_ << ": " << text << '\n';
    err_.flush();
    return 1;
}

bool SimulatorShell::open(const QCommandLineParser& parser)
{
    if (const QString error = device_.open(); !error.isEmpty())
        return failed(QStringLiteral("cannot open a pseudo-terminal: ") + error);
    if (parser.isSet(kTranscriptOption) && !transcript_.open(parser.value(kTranscriptOption)))
        return failed(QStringLiteral("cannot write ") + parser.value(kTranscriptOption));
    const QString link = parser.value(kLinkOption);
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(device_.path(), link))
            return failed(QStringLiteral("cannot create the link ") + link);
        link_ = link;
    }
    return true;
}

bool SimulatorShell::listen(const QCommandLineParser& parser, std::function<QString(const QString&)> runCommand)
{
    auto run = [this, runCommand](const QString& line) {
        const QString reply = runCommand(line);
        if (!reply.isEmpty())
            say(reply);
    };
    stdinReader_ = std::make_unique<LineReader>(STDIN_FILENO, run);
    const QString fifo = parser.value(kControlOption);
    if (fifo.isEmpty())
        return true;
    const QByteArray path = QFile::encodeName(fifo);
    ::unlink(path.constData());
    if (::mkfifo(path.constData(), 0600) != 0)
        return failed(QStringLiteral("cannot create the FIFO ") + fifo);
    fifo_ = fifo;
    // Opened for reading and writing so the FIFO never reads as ended between writers.
    fifoReader_ = std::make_unique<LineReader>(::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC), run);
    return true;
}

int SimulatorShell::exec(QCoreApplication& app)
{
    ::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe);
    signalNotifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    say(QStringLiteral("PTY ") + device_.path());
    if (!link_.isEmpty())
        say(QStringLiteral("LINK ") + link_);
    transcript_.note(name_ + QStringLiteral(" on ") + device_.path());
    return app.exec();
}

std::optional<QByteArray> PacketFromHex(const QString& hex)
{
    const QString upper = hex.trimmed().toUpper();
    if (upper.isEmpty() || upper.size() % 2 != 0 || !IsHexText(upper))
        return std::nullopt;
    return HexToBytes(upper);
}

QString LoadPackets(const QString& path, QList<QByteArray>& packets)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("cannot read ") + path;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const auto packet = PacketFromHex(words.last());
        if (!packet || words.size() > 2)
            return QStringLiteral("%1:%2: expected NAME HEX or HEX").arg(path).arg(number);
        packets.append(*packet);
    }
    return {};
}

} // namespace kvt::sim
