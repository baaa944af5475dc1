#include "support/SimModemProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcessEnvironment>

namespace kvt::test {

namespace {
const QStringList kAcknowledgements{QStringLiteral("OK"), QStringLiteral("ERROR"), QStringLiteral("STATUS")};
}

QStringList SimModemProcess::FastTimings()
{
    return {QStringLiteral("--dial-ms"), QStringLiteral("100"), QStringLiteral("--alert-ms"), QStringLiteral("300"),
            QStringLiteral("--ring-interval-ms"), QStringLiteral("300"), QStringLiteral("--submit-delay-ms"),
            QStringLiteral("100"), QStringLiteral("--ussd-delay-ms"), QStringLiteral("100"),
            QStringLiteral("--answer-sms-delay-ms"), QStringLiteral("100")};
}

SimModemProcess::SimModemProcess(const QStringList& arguments)
{
    const QString tools = qEnvironmentVariable("KVT_TOOLS_DIR");
    const QString program = tools + QStringLiteral("/kvt-sim-modem");
    if (tools.isEmpty() || !QFile::exists(program)) {
        failure_ = QStringLiteral("kvt-sim-modem not found in KVT_TOOLS_DIR (%1)").arg(tools);
        return;
    }
    process_.setProgram(program);
    process_.setArguments(QStringList{QStringLiteral("--transcript"), dir_.filePath(QStringLiteral("modem.log"))}
                          + arguments);
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

SimModemProcess::~SimModemProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }
}

QString SimModemProcess::readLine(int timeoutMs)
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

QString SimModemProcess::waitForLine(const QString& prefix, int timeoutMs)
{
    for (const QString& seen : std::as_const(lines_)) {
        if (seen.startsWith(prefix))
            return seen;
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString line = readLine(int(std::max<qint64>(1, deadline.remainingTime())));
        if (line.startsWith(prefix))
            return line;
    }
    return {};
}

QString SimModemProcess::control(const QString& command, int timeoutMs)
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

QString SimModemProcess::transcript() const
{
    QFile file(dir_.filePath(QStringLiteral("modem.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace kvt::test
