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

QStringList SplitLogLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text[i];
        if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (ch == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start).toString());
    return lines;
}

QStringList ReadLogLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open file"), path, file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot read file"), path, file);
    return SplitLogLines(FromWin1251(bytes));
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
