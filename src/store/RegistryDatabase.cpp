#include "store/RegistryDatabase.h"

#include "common/Clock.h"
#include "common/Errors.h"
#include "store/RegistryFields.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>

namespace kvt::registry {

namespace {
// SQLite result codes that mean the file is not a sound database.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

bool isDamage(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    const int primary = code & 0xFF; // extended codes carry the primary code in the low byte
    return ok && (primary == kSqliteCorrupt || primary == kSqliteNotADatabase);
}

const QStringList kObjectColumns = {kKodO, kNameO, kPhoneO, kTimeRing, kTimeSms, kDateSms, kAdresO, kProvercaS};
const QStringList kPacketColumns = {kKodSms, kKodO, kDateTimeSms, kTextSms};

// Text fields carry their size as a check, so the store itself refuses a longer text.
const QString kCreateObjectTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS Object_ND ("
    " Kod_O SMALLINT NOT NULL PRIMARY KEY CHECK (Kod_O BETWEEN -32768 AND 32767),"
    " Name_O VARCHAR(30) NOT NULL DEFAULT '' CHECK (length(Name_O) <= 30),"
    " Phone_O VARCHAR(20) NOT NULL DEFAULT '' CHECK (length(Phone_O) <= 20),"
    " Time_Ring VARCHAR(30) NOT NULL DEFAULT '' CHECK (length(Time_Ring) <= 30),"
    " Time_SMS TEXT NOT NULL DEFAULT '',"
    " Date_SMS VARCHAR(30) NOT NULL DEFAULT '' CHECK (length(Date_SMS) <= 30),"
    " Adres_O VARCHAR(255) NOT NULL DEFAULT '' CHECK (length(Adres_O) <= 255),"
    " Proverca_S VARCHAR(20) NOT NULL DEFAULT '' CHECK (length(Proverca_S) <= 20))");
const QString kCreateNameIndex = QStringLiteral("CREATE INDEX IF NOT EXISTS Object_ND_Name_O ON Object_ND (Name_O, Kod_O)");
// Kod_SMS is the row id: a 64-bit key, rows kept in ascending code order.
const QString kCreatePacketTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS SMS_ND ("
    " Kod_SMS INTEGER PRIMARY KEY,"
    " Kod_O SMALLINT NOT NULL CHECK (Kod_O BETWEEN -32768 AND 32767),"
    " Date_Time_SMS VARCHAR(40) NOT NULL DEFAULT '' CHECK (length(Date_Time_SMS) <= 40),"
    " Text_SMS TEXT NOT NULL DEFAULT '')");
const QString kCreateObjectIndex = QStringLiteral("CREATE INDEX IF NOT EXISTS SMS_ND_Kod_O ON SMS_ND (Kod_O, Kod_SMS)");

QSqlDatabase connection(const QString& alias)
{
    if (!QSqlDatabase::contains(alias))
        throw StoreError(QStringLiteral("Псевдоним базы данных %1 не создан").arg(alias));
    return QSqlDatabase::database(alias, false);
}

// Runs one statement; damage raises DamagedStore, any other failure StoreError.
void run(QSqlQuery& query, const QString& sql)
{
    if (!query.exec(sql)) {
        if (isDamage(query.lastError()))
            throw StoreDamagedError(query.lastError().text());
        throw StoreError(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
    }
}

QStringList columnsOf(QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    run(query, QStringLiteral("PRAGMA table_info(%1)").arg(table));
    QStringList names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

// A name beside `path` that no file has yet, stamped with the time of setting it aside.
QString freeAsideName(const QString& path, const QDateTime& now)
{
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString candidate = QStringLiteral("%1.damaged-%2").arg(path, stamp);
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo::exists(candidate + QLatin1String("-wal")); ++n)
        candidate = QStringLiteral("%1.damaged-%2-%3").arg(path, stamp).arg(n);
    return candidate;
}
} // namespace

RegistryDatabase::RegistryDatabase(QString alias, const Clock& clock) : alias_(std::move(alias)), clock_(clock) {}

RegistryDatabase::~RegistryDatabase()
{
    close();
}

QString RegistryDatabase::filePath() const
{
    return connection(alias_).databaseName();
}

bool RegistryDatabase::isOpen() const
{
    return QSqlDatabase::contains(alias_) && QSqlDatabase::database(alias_, false).isOpen();
}

void RegistryDatabase::close()
{
    if (QSqlDatabase::contains(alias_))
        QSqlDatabase::database(alias_, false).close();
}

void RegistryDatabase::open(const std::function<void()>& verify)
{
    setAsideNotice_.clear();
    setAsidePath_.clear();
    const QString folder = QFileInfo(filePath()).path();
    if (!QFileInfo(folder).isDir())
        throw StoreError(QStringLiteral("Не найдена папка базы данных %1").arg(QDir::toNativeSeparators(folder)));
    try {
        openConnection();
        createTables();
        if (verify)
            verify();
    } catch (const StoreDamagedError& damage) {
        setAside();
        setAsideNotice_ = QStringLiteral(
            "Файл базы данных %1 повреждён или не является базой данных (%2). "
            "Он сохранён без изменений под именем %3, работа начата с новой пустой базой данных.")
                              .arg(QDir::toNativeSeparators(filePath()), damage.message(),
                                   QDir::toNativeSeparators(setAsidePath_));
        openConnection();
        createTables();
        if (verify)
            verify();
    }
}

void RegistryDatabase::openConnection()
{
    QSqlDatabase db = connection(alias_);
    db.close();
    if (!db.open())
        throw StoreError(QStringLiteral("Не удаётся открыть базу данных %1: %2").arg(filePath(), db.lastError().text()));
    QSqlQuery query(db);
    // Reading the schema is the first access to the file: a foreign or damaged file fails here.
    run(query, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    dataVersion_ = -1;
}

void RegistryDatabase::createTables()
{
    QSqlDatabase db = connection(alias_);
    for (const auto& [table, expected] : {std::pair{kObjectTable, kObjectColumns}, std::pair{kPacketTable, kPacketColumns}}) {
        const QStringList present = columnsOf(db, table);
        if (!present.isEmpty() && present != expected)
            throw StoreDamagedError(QStringLiteral("таблица %1 имеет поля %2").arg(table, present.join(QLatin1Char(','))));
    }
    // Only a file known to be ours is changed: the journal mode is written into the file.
    QSqlQuery query(db);
    run(query, QStringLiteral("PRAGMA journal_mode=WAL"));
    run(query, QStringLiteral("PRAGMA synchronous=FULL"));
    for (const QString& sql : {kCreateObjectTable, kCreateNameIndex, kCreatePacketTable, kCreateObjectIndex})
        run(query, sql);
}

void RegistryDatabase::setAside()
{
    const QString path = filePath();
    close();
    setAsidePath_ = freeAsideName(path, clock_.now());
    // The journal files belong to the damaged file: they move with it, so the new store
    // does not pick them up.
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path + suffix) && !QFile::rename(path + suffix, setAsidePath_ + suffix))
            throw StoreError(QStringLiteral("Не удаётся переименовать повреждённый файл базы данных %1").arg(path + suffix));
    }
}

QSqlQuery RegistryDatabase::prepare(const QString& sql) const
{
    QSqlQuery query(connection(alias_));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw StoreError(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
    return query;
}

void RegistryDatabase::exec(QSqlQuery& query, const QString& what)
{
    if (!query.exec())
        checkFetched(query, what);
}

void RegistryDatabase::checkFetched(const QSqlQuery& query, const QString& what)
{
    const QSqlError error = query.lastError();
    if (!error.isValid())
        return;
    const QString text = QStringLiteral("%1: %2").arg(what, error.text());
    if (isDamage(error))
        throw StoreDamagedError(text);
    throw StoreError(text);
}

void RegistryDatabase::post(const std::function<void()>& change)
{
    QSqlDatabase db = connection(alias_);
    if (!db.transaction())
        throw StoreError(QStringLiteral("Не удаётся начать запись в базу данных: %1").arg(db.lastError().text()));
    try {
        change();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        throw StoreError(QStringLiteral("Не удаётся записать изменения в базу данных: %1").arg(text));
    }
    changedElsewhere(); // our own commit is not a change made elsewhere
}

bool RegistryDatabase::changedElsewhere()
{
    QSqlQuery query(connection(alias_));
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
        return true;
    const qint64 version = query.value(0).toLongLong();
    const bool changed = dataVersion_ >= 0 && version != dataVersion_;
    dataVersion_ = version;
    return changed;
}

} // namespace kvt::registry
