#include "store/DataAlias.h"

#include "common/Errors.h"
#include "common/ProgramDirectory.h"
#include "store/RegistryFields.h"

#include <QFileInfo>
#include <QSqlDatabase>

namespace kvt::registry {

namespace {
constexpr int kLongestAliasPath = 255;
const QString kDriver = QStringLiteral("QSQLITE");
} // namespace

QString CreateDataAlias(const QString& programDirectory, const QString& folder, const QString& alias)
{
    const QString path = InProgramDirectory(programDirectory, folder);
    if (path.size() > kLongestAliasPath)
        throw StoreError(QStringLiteral("Путь к базе данных длиннее %1 символов: %2").arg(kLongestAliasPath).arg(path));
    const QString file = path + QLatin1Char('/') + kStoreFileName;
    if (QSqlDatabase::contains(alias)) {
        QSqlDatabase db = QSqlDatabase::database(alias, false);
        db.close();
        db.setDatabaseName(file);
    } else {
        QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, alias);
        db.setDatabaseName(file);
    }
    return path;
}

QString DataAliasFolder(const QString& alias)
{
    if (!QSqlDatabase::contains(alias))
        return {};
    return QFileInfo(QSqlDatabase::database(alias, false).databaseName()).path();
}

} // namespace kvt::registry
