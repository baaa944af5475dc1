#include "app/OnlyOne.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace kvt {

namespace {
// The session's runtime folder when it is what it must be: the user's own and closed to
// everyone else. Empty otherwise.
QString PrivateRuntimeFolder()
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return {};
    struct stat info {};
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return {};
    if (info.st_uid != ::geteuid() || (info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return {};
    return folder;
}

// A folder of this user's that no other user can write into: the runtime folder of the
// session, else the user's cache folder in the home folder.
QString UserLockFolder()
{
    const QString runtime = PrivateRuntimeFolder();
    if (!runtime.isEmpty())
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QDir().mkpath(cache);
    return cache;
}
} // namespace

OnlyOneInstance::OnlyOneInstance() = default;
OnlyOneInstance::~OnlyOneInstance() = default;

QString OnlyOneInstance::lockFileFor(const QString& name)
{
    QString fileName = name;
    fileName.replace(QLatin1Char('\\'), QLatin1Char('_'));
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(UserLockFolder()).filePath(fileName + QStringLiteral(".lock"));
}

bool OnlyOneInstance::acquire(const QString& name)
{
    auto lock = std::make_unique<QLockFile>(lockFileFor(name));
    // A lock is stale only when its owner process is gone, never because of its age: the
    // first instance may run for months.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    lock_ = std::move(lock);
    return true;
}

} // namespace kvt
