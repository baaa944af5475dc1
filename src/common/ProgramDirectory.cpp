#include "common/ProgramDirectory.h"

#include <QDir>

namespace kvt {

namespace {
QString withTrailingSlash(QString folder)
{
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

QString ResolveProgramDirectory(const QStringList& arguments, const QString& executableFolder)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--home") && i + 1 < arguments.size())
            return withTrailingSlash(arguments[i + 1]);
        if (arg.startsWith(QLatin1String("--home=")))
            return withTrailingSlash(arg.mid(7));
    }
    const QString fromEnvironment = qEnvironmentVariable("KVT_HOME");
    if (!fromEnvironment.isEmpty())
        return withTrailingSlash(fromEnvironment);
    return withTrailingSlash(executableFolder);
}

QString InProgramDirectory(const QString& programDirectory, const QString& relative)
{
    QString name = relative;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return programDirectory + name;
}

} // namespace kvt
