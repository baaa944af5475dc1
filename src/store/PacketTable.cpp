#include "store/PacketTable.h"

#include "common/Errors.h"
#include "store/RegistryDatabase.h"

#include <QVariant>

#include <limits>

namespace kvt::registry {

namespace {
QString textOrEmpty(const QString& text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}
} // namespace

PacketTable::PacketTable(RegistryDatabase& db) : db_(db) {}

void PacketTable::load()
{
    // The object index holds every code and is far smaller than the table itself.
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT Kod_SMS FROM SMS_ND INDEXED BY SMS_ND_Kod_O"));
    RegistryDatabase::exec(q, QStringLiteral("Чтение кодов истории"));
    std::vector<qint64> codes;
    while (q.next())
        codes.push_back(q.value(0).toLongLong());
    RegistryDatabase::checkFetched(q, QStringLiteral("Чтение кодов истории"));
    codes_.rebuild(std::move(codes));
}

qint64 PacketTable::recordCount() const
{
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT count(*) FROM SMS_ND"));
    RegistryDatabase::exec(q, QStringLiteral("Подсчёт записей истории"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

PacketCode PacketTable::NextFreeCode()
{
    if (db_.changedElsewhere())
        load();
    PacketCode code = codes_.next();
    // The codes known here and the table agree unless the file was changed behind our back.
    if (packet(code)) {
        load();
        code = codes_.next();
    }
    return code;
}

PacketCode PacketTable::append(ObjectCode object, const QString& stamp, const QString& text,
                               const std::function<void(PacketCode)>& alsoCommit)
{
    CheckFieldLength(kDateTimeSms, stamp, kDateTimeSmsLength);
    const PacketCode code = NextFreeCode();
    db_.post([&] {
        QSqlQuery q = db_.prepare(QStringLiteral("INSERT INTO SMS_ND (Kod_SMS, Kod_O, Date_Time_SMS, Text_SMS) VALUES (?, ?, ?, ?)"));
        q.addBindValue(code);
        q.addBindValue(static_cast<int>(object));
        q.addBindValue(textOrEmpty(stamp));
        q.addBindValue(textOrEmpty(text));
        RegistryDatabase::exec(q, QStringLiteral("Запись в историю"));
        if (alsoCommit)
            alsoCommit(code);
    });
    codes_.markUsed(code);
    return code;
}

std::optional<StoredPacket> PacketTable::packet(PacketCode code) const
{
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT Kod_SMS, Kod_O, Date_Time_SMS, Text_SMS FROM SMS_ND WHERE Kod_SMS = ?"));
    q.addBindValue(code);
    RegistryDatabase::exec(q, QStringLiteral("Чтение истории"));
    if (!q.next())
        return std::nullopt;
    return StoredPacket{q.value(0).toLongLong(), static_cast<ObjectCode>(q.value(1).toInt()), q.value(2).toString(),
                        q.value(3).toString()};
}

QList<StoredPacket> PacketTable::nodeQuery(ObjectCode object) const
{
    QSqlQuery q = db_.prepare(kNodeQuery);
    q.bindValue(QStringLiteral(":Kod_O"), static_cast<int>(object));
    RegistryDatabase::exec(q, QStringLiteral("Чтение истории объекта"));
    QList<StoredPacket> rows;
    while (q.next()) {
        rows.append(StoredPacket{q.value(0).toLongLong(), static_cast<ObjectCode>(q.value(1).toInt()),
                                 q.value(2).toString(), q.value(3).toString()});
    }
    return rows;
}

QList<HistoryEntry> PacketTable::historyPage(ObjectCode object, PacketCode belowCode, int limit) const
{
    QSqlQuery q = db_.prepare(QStringLiteral(
        "SELECT Kod_SMS, Date_Time_SMS FROM SMS_ND WHERE Kod_O = ? AND Kod_SMS < ? ORDER BY Kod_SMS DESC LIMIT ?"));
    q.addBindValue(static_cast<int>(object));
    q.addBindValue(belowCode);
    q.addBindValue(limit);
    RegistryDatabase::exec(q, QStringLiteral("Чтение истории объекта"));
    QList<HistoryEntry> page;
    page.reserve(limit);
    while (q.next())
        page.append(HistoryEntry{q.value(0).toLongLong(), q.value(1).toString()});
    return page;
}

qint64 PacketTable::historyCount(ObjectCode object) const
{
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT count(*) FROM SMS_ND WHERE Kod_O = ?"));
    q.addBindValue(static_cast<int>(object));
    RegistryDatabase::exec(q, QStringLiteral("Подсчёт истории объекта"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

qint64 PacketTable::DeleteAllHistory()
{
    qint64 removed = 0;
    db_.post([&] {
        QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM SMS_ND"));
        RegistryDatabase::exec(q, QStringLiteral("Удаление истории"));
        removed = q.numRowsAffected();
    });
    codes_.clear();
    return removed;
}

std::vector<PacketCode> PacketTable::deleteObjectHistory(ObjectCode object)
{
    QSqlQuery codes = db_.prepare(QStringLiteral("SELECT Kod_SMS FROM SMS_ND WHERE Kod_O = ?"));
    codes.addBindValue(static_cast<int>(object));
    RegistryDatabase::exec(codes, QStringLiteral("Чтение истории объекта"));
    std::vector<PacketCode> freed;
    while (codes.next())
        freed.push_back(codes.value(0).toLongLong());
    QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM SMS_ND WHERE Kod_O = ?"));
    q.addBindValue(static_cast<int>(object));
    RegistryDatabase::exec(q, QStringLiteral("Удаление истории объекта"));
    return freed;
}

void PacketTable::releaseCodes(const std::vector<PacketCode>& codes)
{
    for (const PacketCode code : codes)
        codes_.markFree(code);
}

} // namespace kvt::registry
