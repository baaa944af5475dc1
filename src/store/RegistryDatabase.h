#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>

#include "common/Errors.h"

namespace kvt {
class Clock;
} // namespace kvt

namespace kvt::registry {

// The store file is damaged or is not a database of this console.
class StoreDamagedError : public StoreError {
public:
    using StoreError::StoreError;
};

// The store behind an alias: one SQLite file holding the objects table and the packets table.
// Every post is one committed transaction written through to disk (synchronous=FULL), so a
// crash loses nothing that was posted. A file that is damaged or not a database is renamed
// aside, never overwritten, and the console starts on a new empty store.
class RegistryDatabase {
public:
    // `clock` gives the time stamp of a damaged file's new name.
    RegistryDatabase(QString alias, const Clock& clock);
    ~RegistryDatabase();
    RegistryDatabase(const RegistryDatabase&) = delete;
    RegistryDatabase& operator=(const RegistryDatabase&) = delete;

    // Opens the store and creates missing tables. `verify` runs right after and reads what the
    // caller needs at start; a damaged store found by it is set aside as well. Throws StoreError
    // when the data folder is missing or the store cannot be opened or created.
    void open(const std::function<void()>& verify = {});
    void close();
    bool isOpen() const;

    // What the operator is told when a damaged file was set aside at open; empty otherwise.
    const QString& setAsideNotice() const { return setAsideNotice_; }
    const QString& setAsidePath() const { return setAsidePath_; }
    QString filePath() const;

    QSqlQuery prepare(const QString& sql) const;
    // Runs a prepared query; throws StoreError naming `what` on failure (StoreDamagedError
    // when the file is damaged).
    static void exec(QSqlQuery& query, const QString& what);
    // After reading rows with next(): throws as exec does when the reading stopped on an error.
    static void checkFetched(const QSqlQuery& query, const QString& what);

    // Runs `change` in one transaction and commits it; rolls back and rethrows on failure.
    void post(const std::function<void()>& change);

    // True when another connection has committed to the file since the last call.
    bool changedElsewhere();

private:
    void openConnection();
    void createTables();
    void setAside();

    QString alias_;
    const Clock& clock_;
    QString setAsideNotice_;
    QString setAsidePath_;
    qint64 dataVersion_ = -1;
};

} // namespace kvt::registry
