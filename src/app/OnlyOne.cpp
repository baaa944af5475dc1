#include "app/OnlyOne.h"

#include <QDir>
#include <QLockFile>

namespace kvt {

OnlyOneInstance::OnlyOneInstance() = default;
OnlyOneInstance::~OnlyOneInstance() = default;

QString OnlyOneInstance::lockFileFor(const QString& name)
{
    QString fileName = name;
    fileName.replace(QLatin1Char('\\'), QLatin1Char('_'));
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(QDir::tempPath()).filePath(fileName + QStringLiteral(".lock"));
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
