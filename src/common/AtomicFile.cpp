#include "common/AtomicFile.h"

#include "common/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kvt {

namespace {
constexpr qint64 kChunkSize = 64 * 1024;

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

qint64 AtomicFileWriter::writeChunk(QIODevice& file, const char* data, qint64 size)
{
    return file.write(data, size);
}

void AtomicFileWriter::save(const QString& path, const QByteArray& data)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    QTemporaryFile temp(folder + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX.tmp"));
    if (!temp.open())
        throw IoError(QStringLiteral("Cannot create file %1: %2").arg(path, temp.errorString()));

    for (qint64 offset = 0; offset < data.size();) {
        const qint64 size = std::min(kChunkSize, data.size() - offset);
        const qint64 written = writeChunk(temp, data.constData() + offset, size);
        if (written <= 0)
            throw IoError(QStringLiteral("Cannot write file %1: %2").arg(path, temp.errorString()));
        offset += written;
    }
    if (!temp.flush() || ::fsync(temp.handle()) != 0)
        throw IoError(QStringLiteral("Cannot write file %1: %2").arg(path, systemReason()));

    // Keep the permissions of the file being replaced.
    if (target.exists())
        temp.setPermissions(QFile::permissions(path));
    else
        temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    const QByteArray from = QFile::encodeName(temp.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0)
        throw IoError(QStringLiteral("Cannot replace file %1: %2").arg(path, systemReason()));
    temp.setAutoRemove(false);
    syncFolder(folder);
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

} // namespace kvt
