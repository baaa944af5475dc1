#pragma once

#include <QDateTime>
#include <QSqlQuery>
#include <QVariantList>
#include <QString>

#include <optional>

namespace kvt::gsm {

// What became of a message read from the modem.
enum class ReceiveOutcome {
    Pending,            // read, not yet handled to the end (the console stopped in between)
    Stored,             // stored as a state packet (with its packet code)
    TerminalAnswer,     // an object modem's answer to a terminal command
    DispatchPointOrder, // the higher dispatch point ordered a poll
    UnknownSender,      // from a number that belongs to no object
    NotAPacket,         // from an object, but neither a state packet nor a terminal answer
    NoPdu,              // the modem's reply held no PDU
};

// A message as it was read from the modem.
struct FetchedMessage {
    QString pdu;       // the PDU text (for a reply without PDU: the reply as read)
    QString index;     // the index it was read from
    QString sender;
    QString stamp;     // the receipt stamp of the PDU
    QDateTime readAt;  // local time of the read
};

struct ReceiveJournalEntry {
    qint64 id = 0;
    ReceiveOutcome outcome = ReceiveOutcome::Pending;
    qint64 packetCode = 0;  // for Stored
    bool deleted = false;   // the modem confirmed the deletion
};

// The receive journal: every message read from the modem is kept here before it is deleted from
// the modem, with what became of it. It lives in the store of the packets (the same SQLite
// database, reached through the connection named by the alias), so that a packet and the
// journal's note that it was stored commit in one transaction. A message is known again by its
// PDU text: one read again after a restart that is already handled is deleted from the modem
// without being handled twice.
class ReceiveJournal {
public:
    static const QString kTable;

    explicit ReceiveJournal(QString connectionName) : connectionName_(std::move(connectionName)) {}

    // The entry of a message with this PDU, the latest when there are several.
    std::optional<ReceiveJournalEntry> find(const QString& pdu);
    // Keeps a message just read (outcome Pending) and commits; returns the entry id.
    qint64 recordFetched(const FetchedMessage& message);
    // The message was stored as a packet. Runs inside the transaction that the caller has open
    // on the connection (the one that appends the packet), and commits with it.
    void recordStored(qint64 entry, qint64 packetCode);
    void recordOutcome(qint64 entry, ReceiveOutcome outcome);
    void recordDeleted(qint64 entry);

    static QString OutcomeName(ReceiveOutcome outcome);

private:
    void ensureTable();
    // Runs `sql` (the table's name as %1) with the values bound; throws StoreError on failure.
    QSqlQuery run(const QString& sql, const QVariantList& values);

    QString connectionName_;
    bool tableReady_ = false;
};

} // namespace kvt::gsm
