#include "journals/LogFile.h"

#include "common/AtomicFile.h"
#include "common/Errors.h"
#include "common/Win1251.h"

#include <QFile>

namespace kvt {

namespace {
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

[[noreturn]] void fail(const QString& what, const QString& path, const QFile& file)
{
    throw IoError(QStringLiteral("%1 %2: %3").arg(what, path, file.errorString()));
}
} // namespace

void AppendLogLine(const QString& path, const QString& line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        fail(QStringLiteral("Cannot open file"), path, file);
    const QByteArray bytes = ToWin1251(line) + kLineEnd;
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail(QStringLiteral("Cannot write file"), path, file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot write file"), path, file);
}

LogLines::LogLines(QByteArray bytes) : bytes_(std::move(bytes))
{
    const char* data = bytes_.constData();
    const qsizetype size = bytes_.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char ch = data[i];
        if (ch != '\r' && ch != '\n')
            continue;
        spans_.push_back({start, i - start});
        if (ch == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        spans_.push_back({start, size - start});
}

LogLines LogLines::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open file"), path, file);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot read file"), path, file);
    return LogLines(std::move(bytes));
}

QString LogLines::at(qsizetype index) const
{
    const Span& span = spans_.at(std::size_t(index));
    return FromWin1251(QByteArrayView(bytes_.constData() + span.start, span.length));
}

QStringList LogLines::toStringList() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lines.append(at(i));
    return lines;
}

QStringList ReadLogLines(const QString& path)
{
    return LogLines::read(path).toStringList();
}

void WriteLogLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += ToWin1251(line) + kLineEnd;
    AtomicFileWriter().save(path, bytes);
}

void RecreateEmptyLog(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("Cannot create file"), path, file);
    file.close();
}

} // namespace kvt
