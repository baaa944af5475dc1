#pragma once

#include "store/DataAlias.h"
#include "store/Registry.h"
#include "support/VirtualClock.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <memory>

namespace kvt::test {

// A program directory in a temporary folder with its Data folder, an alias of its own and an
// opened registry on it.
class RegistryFixture {
public:
    RegistryFixture()
    {
        static int aliasCounter = 0;
        home_ = dir_.path() + QLatin1Char('/');
        QDir(home_).mkpath(registry::kDataFolder);
        alias_ = QStringLiteral("DRAV_test_%1").arg(++aliasCounter);
        registry::CreateDataAlias(home_, registry::kDataFolder, alias_);
        reopen();
    }
    ~RegistryFixture()
    {
        registry_.reset();
        QSqlDatabase::removeDatabase(alias_);
    }

    const QString& programDirectory() const { return home_; }
    const QString& alias() const { return alias_; }
    QString storeFile() const { return home_ + registry::kDataFolder + QLatin1Char('/') + registry::kStoreFileName; }
    registry::Registry& registry() { return *registry_; }
    // The clock of the store, at 15 January 2024, 12:00 unless moved.
    VirtualClock& clock() { return clock_; }

    // Closes and opens the store again, as a restart would.
    void reopen()
    {
        registry_.reset();
        registry_ = std::make_unique<registry::Registry>(clock_, alias_);
        registry_->open();
    }

    // Adds an object row with the given code and name (other fields as the add command fills them).
    registry::ObjectRecord addObject(registry::ObjectCode code, const QString& name,
                                     const QString& phone = QStringLiteral("79000000000"))
    {
        registry::ObjectRecord r;
        r.Kod_O = code;
        r.Name_O = name;
        r.Phone_O = phone;
        r.Time_Ring = registry::kEmptyStamp;
        r.Date_SMS = registry::kEmptyStamp;
        r.Adres_O = QStringLiteral("form.kof");
        r.Proverca_S = registry::kNoCheckInterval;
        registry_->objects().append(r);
        return r;
    }

private:
    VirtualClock clock_;
    QTemporaryDir dir_;
    QString home_;
    QString alias_;
    std::unique_ptr<registry::Registry> registry_;
};

} // namespace kvt::test
