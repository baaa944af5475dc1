#include "support/SimulatorProcess.h"

#include <QDeadlineTimer>
#include <QFile>

namespace kvt::test {

namespace {
const QStringList kAcknowledgements{QStringLiteral("OK"), QStringLiteral("ERROR"), QStringLiteral("STATUS")};
const QString kTranscriptFile = QStringLiteral("transcript.log");
} // namespace

SimulatorProcess::SimulatorProcess(const QString& program, const QStringList& arguments)
{
    const QString tools = qEnvironmentVariable("KVT_TOOLS_DIR");
    const QString path = tools + QLatin1Char('/') + program;
    if (tools.isEmpty() || !QFile::exists(path)) {
        failure_ = QStringLiteral("%1 not found in KVT_TOOLS_DIR (%2)").arg(program, tools);
        return;
    }
    process_.setProgram(path);
    process_.setArguments(QStringList{QStringLiteral("--transcript"), dir_.filePath(kTranscriptFile)} + arguments);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted()) {
        failure_ = process_.errorString();
        return;
    }
    const QString first = waitForLine(QStringLiteral("PTY "));
    if (first.isEmpty())
        failure_ = QStringLiteral("the simulator printed no device");
    else
        devicePath_ = first.mid(4);
}

SimulatorProcess::~SimulatorProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }
}

QString SimulatorProcess::readLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!process_.canReadLine()) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return {};
        process_.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    QString line = QString::fromUtf8(process_.readLine()).trimmed();
    lines_ << line;
    return line;
}

void SimulatorProcess::collect()
{
    process_.waitForReadyRead(0);
    while (process_.canReadLine())
        lines_ << QString::fromUtf8(process_.readLine()).trimmed();
}

QString SimulatorProcess::waitForLine(const QString& prefix, int timeoutMs)
{
    return waitForNthLine(prefix, 0, timeoutMs);
}

QString SimulatorProcess::waitForNthLine(const QString& prefix, int skip, int timeoutMs)
{
    int seen = 0;
    for (const QString& line : std::as_const(lines_)) {
        if (line.startsWith(prefix) && seen++ == skip)
            return line;
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString line = readLine(int(std::max<qint64>(1, deadline.remainingTime())));
        if (line.startsWith(prefix) && seen++ == skip)
            return line;
    }
    return {};
}

QStringList SimulatorProcess::linesStartingWith(const QString& prefix)
{
    collect();
    QStringList found;
    for (const QString& line : lines_) {
        if (line.startsWith(prefix))
            found << line;
    }
    return found;
}

QString SimulatorProcess::control(const QString& command, int timeoutMs)
{
    consumed_ = int(lines_.size());
    process_.write((command + QLatin1Char('\n')).toUtf8());
    process_.waitForBytesWritten(timeoutMs);
    QDeadlineTimer deadline(timeoutMs);
    // Acknowledgements come in order: skip event lines printed meanwhile.
    for (;;) {
        while (consumed_ < lines_.size()) {
            const QString line = lines_.at(consumed_++);
            for (const QString& ack : kAcknowledgements) {
                if (line.startsWith(ack))
                    return line;
            }
        }
        if (deadline.hasExpired() || readLine(int(std::max<qint64>(1, deadline.remainingTime()))).isNull())
            return {};
    }
}

QString SimulatorProcess::transcript() const
{
    QFile file(dir_.filePath(kTranscriptFile));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace kvt::test
