#include "RegistryFixture.h"

#include <QDir>
#include <QSqlDatabase>

namespace kvt::test {

namespace {
int aliasCounter = 0;
}

RegistryFixture::RegistryFixture()
{
    home_ = dir_.path() + QLatin1Char('/');
    QDir(home_).mkpath(registry::kDataFolder);
    alias_ = QStringLiteral("DRAV_test_%1").arg(++aliasCounter);
    registry::CreateDataAlias(home_, registry::kDataFolder, alias_);
    registry_ = std::make_unique<registry::Registry>(alias_);
    registry_->open();
}

RegistryFixture::~RegistryFixture()
{
    registry_.reset();
    QSqlDatabase::removeDatabase(alias_);
}

QString RegistryFixture::storeFile() const
{
    return home_ + registry::kDataFolder + QLatin1Char('/') + registry::kStoreFileName;
}

void RegistryFixture::reopen()
{
    registry_.reset();
    registry_ = std::make_unique<registry::Registry>(alias_);
    registry_->open();
}

registry::ObjectRecord RegistryFixture::addObject(registry::ObjectCode code, const QString& name, const QString& phone)
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

} // namespace kvt::test
