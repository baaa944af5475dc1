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

// Symbolic links met on the way to the file that really holds the data; more are taken for a loop.
constexpr int kMaxLinkHops = 40;

// The file a save must replace: the path itself, or the file its symbolic links lead to, so
// that a link (a Settings.ini kept elsewhere, say) stays a link and its target gets the data.
QString FileBehindLinks(const QString& path)
{
    QFileInfo file(path);
    for (int hop = 0; file.isSymLink(); ++hop) {
        if (hop == kMaxLinkHops)
            throw IoError(QStringLiteral("Cannot write file %1: too many levels of symbolic links").arg(path));
        file = QFileInfo(file.symLinkTarget());
    }
    return file.absoluteFilePath();
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
    const QFileInfo target(FileBehindLinks(path));
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
        temp.setPermissions(target.permissions());
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
    // A link to a file not made yet reads as an absent file too.
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

} // namespace kvt
