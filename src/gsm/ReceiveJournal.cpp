#include "gsm/ReceiveJournal.h"

#include "common/Errors.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>

namespace kvt::gsm {

namespace {

constexpr std::array kOutcomes{
    std::pair{ReceiveOutcome::Pending, "fetched"},
    std::pair{ReceiveOutcome::Stored, "stored"},
    std::pair{ReceiveOutcome::TerminalAnswer, "terminal-answer"},
    std::pair{ReceiveOutcome::DispatchPointOrder, "dispatch-point-order"},
    std::pair{ReceiveOutcome::UnknownSender, "unknown-sender"},
    std::pair{ReceiveOutcome::NotAPacket, "not-a-packet"},
    std::pair{ReceiveOutcome::NoPdu, "no-pdu"},
};

ReceiveOutcome OutcomeFromName(const QString& name)
{
    for (const auto& [outcome, text] : kOutcomes) {
        if (name == QLatin1String(text))
            return outcome;
    }
    return ReceiveOutcome::Pending;
}

} // namespace

const QString ReceiveJournal::kTable = QStringLiteral("Receive_Journal");

QString ReceiveJournal::OutcomeName(ReceiveOutcome outcome)
{
    for (const auto& [known, text] : kOutcomes) {
        if (known == outcome)
            return QLatin1String(text);
    }
    return {};
}

QSqlQuery ReceiveJournal::run(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    const bool prepared = query.prepare(sql.arg(kTable));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!prepared || !query.exec()) {
        tableReady_ = false;
        throw StoreError(QStringLiteral("Журнал приёма: %1").arg(query.lastError().text()));
    }
    return query;
}

void ReceiveJournal::ensureTable()
{
    if (tableReady_)
        return;
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 ("
                       " Entry INTEGER PRIMARY KEY,"
                       " Pdu TEXT NOT NULL,"
                       " Msg_Index TEXT NOT NULL,"
                       " Sender TEXT NOT NULL,"
                       " Stamp TEXT NOT NULL,"
                       " Read_At TEXT NOT NULL,"
                       " Outcome TEXT NOT NULL,"
                       " Kod_SMS INTEGER,"
                       " Deleted INTEGER NOT NULL DEFAULT 0)"),
        {});
    run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_Pdu ON %1 (Pdu)"), {});
    tableReady_ = true;
}

std::optional<ReceiveJournalEntry> ReceiveJournal::find(const QString& pdu)
{
    ensureTable();
    QSqlQuery query =
        run(QStringLiteral("SELECT Entry, Outcome, Kod_SMS, Deleted FROM %1 WHERE Pdu = ? ORDER BY Entry DESC LIMIT 1"),
            {pdu});
    if (!query.next())
        return std::nullopt;
    return ReceiveJournalEntry{query.value(0).toLongLong(), OutcomeFromName(query.value(1).toString()),
                               query.value(2).toLongLong(), query.value(3).toBool()};
}

qint64 ReceiveJournal::recordFetched(const FetchedMessage& message)
{
    ensureTable();
    return run(QStringLiteral("INSERT INTO %1 (Pdu, Msg_Index, Sender, Stamp, Read_At, Outcome) VALUES (?, ?, ?, ?, ?, ?)"),
               {message.pdu, message.index, message.sender, message.stamp, message.readAt.toString(Qt::ISODate),
                OutcomeName(ReceiveOutcome::Pending)})
        .lastInsertId()
        .toLongLong();
}

void ReceiveJournal::recordStored(qint64 entry, qint64 packetCode)
{
    run(QStringLiteral("UPDATE %1 SET Outcome = ?, Kod_SMS = ? WHERE Entry = ?"),
        {OutcomeName(ReceiveOutcome::Stored), packetCode, entry});
}

void ReceiveJournal::recordOutcome(qint64 entry, ReceiveOutcome outcome)
{
    run(QStringLiteral("UPDATE %1 SET Outcome = ? WHERE Entry = ?"), {OutcomeName(outcome), entry});
}

void ReceiveJournal::recordDeleted(qint64 entry)
{
    run(QStringLiteral("UPDATE %1 SET Deleted = 1 WHERE Entry = ?"), {entry});
}

} // namespace kvt::gsm
