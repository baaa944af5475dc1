#include "packets/closing/BookWriter.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "common/Win1251.h"
#include "packets/closing/BookRecord.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kvt {

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void ensureFolder(const QString& folder)
{
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error)
        throw IoError(QStringLiteral("Cannot create folder %1: %2").arg(folder, SystemReason(error.value())));
}

// Writes all bytes with one call (a second only when the system took part of them) and puts
// them on the disk. Returns 0, or the system's error number.
int writeAndSync(int fd, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        written += n;
    }
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

} // namespace

MonthlyBookWriter::MonthlyBookWriter(QString programDirectory, const Clock& clock)
    : programDirectory_(std::move(programDirectory)), clock_(clock)
{
}

QString MonthlyBookWriter::append(MonthlyBook book, const StatePacketResult& packet) const
{
    const QString path = MonthlyBookPath(programDirectory_, book, clock_.now().date());
    ensureFolder(QFileInfo(path).absolutePath());

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw IoError(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));

    // An empty book gets its head, also one left empty by an earlier failed first write.
    const qint64 sizeBefore = file.size();
    QString text = BookRecordLine(book, packet);
    if (sizeBefore == 0)
        text.prepend(BookHead(book));
    const QByteArray bytes = ToWin1251(text);

    const int error = writeAndSync(file.handle(), bytes);
    if (error != 0) {
        // Cut off what went in of the line, so the book ends with its last whole record.
        file.resize(sizeBefore);
        throw IoError(QStringLiteral("Cannot write file %1: %2").arg(path, SystemReason(error)));
    }
    return path;
}

} // namespace kvt
