#include "app/ProgramLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace kvt {

bool DetachedProgramLauncher::startProgram(const QString& path)
{
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

namespace {
bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
} // namespace

QString FindObjectManager(const QString& programDirectory, const QString& searchPath)
{
    const QString beside = QDir(programDirectory).filePath(kObjectManagerProgram);
    if (isProgram(beside))
        return beside;
    for (const QString& folder : searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString candidate = QDir(folder).filePath(kObjectManagerProgram);
        if (isProgram(candidate))
            return candidate;
    }
    return {};
}

} // namespace kvt
