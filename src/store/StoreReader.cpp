#include "store/StoreReader.h"

#include "common/Errors.h"
#include "store/ObjectTable.h"
#include "store/RegistryDatabase.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace kvt::registry {

namespace {

// A reader waits this long for a moment when the file is locked (a checkpoint in progress).
const QString kReadOnlyOptions = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000");

QString NewConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("kvt-store-reader-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

StoredPacket PacketFrom(const QSqlQuery& q)
{
    return StoredPacket{q.value(0).toLongLong(), static_cast<ObjectCode>(q.value(1).toInt()), q.value(2).toString(),
                        q.value(3).toString()};
}

} // namespace

StoreReader::StoreReader(const QString& storeFile) : connection_(NewConnectionName())
{
    if (!QFileInfo(storeFile).isFile())
        throw StoreError(QStringLiteral("Не найден файл базы данных %1").arg(storeFile));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(storeFile);
    db.setConnectOptions(kReadOnlyOptions);
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
        throw StoreError(QStringLiteral("Не удаётся открыть базу данных %1 для чтения: %2").arg(storeFile, reason));
    }
}

StoreReader::~StoreReader()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

namespace {
QSqlQuery Prepare(const QString& connection, const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw StoreError(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
    return query;
}
} // namespace

std::optional<ObjectRecord> StoreReader::objectByName(const QString& name) const
{
    QSqlQuery q = Prepare(connection_, QStringLiteral("SELECT %1 FROM Object_ND ORDER BY Name_O, Kod_O").arg(kObjectColumns));
    RegistryDatabase::exec(q, QStringLiteral("Чтение объектов"));
    while (q.next()) {
        if (q.value(1).toString().compare(name, Qt::CaseInsensitive) == 0)
            return ObjectRecordFrom(q);
    }
    RegistryDatabase::checkFetched(q, QStringLiteral("Чтение объектов"));
    return std::nullopt;
}

std::optional<ObjectRecord> StoreReader::objectByCode(ObjectCode code) const
{
    QSqlQuery q = Prepare(connection_, QStringLiteral("SELECT %1 FROM Object_ND WHERE Kod_O = ?").arg(kObjectColumns));
    q.addBindValue(static_cast<int>(code));
    RegistryDatabase::exec(q, QStringLiteral("Чтение объекта"));
    if (q.next())
        return ObjectRecordFrom(q);
    RegistryDatabase::checkFetched(q, QStringLiteral("Чтение объекта"));
    return std::nullopt;
}

qint64 StoreReader::historyCount(ObjectCode object) const
{
    QSqlQuery q = Prepare(connection_, QStringLiteral("SELECT count(*) FROM SMS_ND WHERE Kod_O = ?"));
    q.addBindValue(static_cast<int>(object));
    RegistryDatabase::exec(q, QStringLiteral("Подсчёт истории объекта"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

void StoreReader::forEachPacket(ObjectCode object, const std::function<bool(const StoredPacket&)>& visit) const
{
    QSqlQuery q = Prepare(connection_, kNodeQuery);
    q.bindValue(QStringLiteral(":Kod_O"), static_cast<int>(object));
    RegistryDatabase::exec(q, QStringLiteral("Чтение истории объекта"));
    while (q.next()) {
        if (!visit(PacketFrom(q)))
            return;
    }
    RegistryDatabase::checkFetched(q, QStringLiteral("Чтение истории объекта"));
}

QList<StoredPacket> StoreReader::latestPackets(ObjectCode object, int limit) const
{
    QSqlQuery q = Prepare(connection_, QStringLiteral("SELECT Kod_SMS, Kod_O, Date_Time_SMS, Text_SMS FROM SMS_ND "
                                                      "WHERE Kod_O = ? ORDER BY Kod_SMS DESC LIMIT ?"));
    q.addBindValue(static_cast<int>(object));
    q.addBindValue(limit);
    RegistryDatabase::exec(q, QStringLiteral("Чтение истории объекта"));
    QList<StoredPacket> packets;
    while (q.next())
        packets.append(PacketFrom(q));
    RegistryDatabase::checkFetched(q, QStringLiteral("Чтение истории объекта"));
    return packets;
}

} // namespace kvt::registry
