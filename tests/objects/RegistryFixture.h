#pragma once

#include "objects/Registry.h"

#include <QTemporaryDir>

#include <memory>

namespace kvt::test {

// A program directory in a temporary folder with its Data folder, an alias of its own and an
// opened registry on it.
class RegistryFixture {
public:
    RegistryFixture();
    ~RegistryFixture();

    const QString& programDirectory() const { return home_; }
    const QString& alias() const { return alias_; }
    QString storeFile() const;
    registry::Registry& registry() { return *registry_; }

    // Closes and opens the store again, as a restart would.
    void reopen();

    // Adds an object row with the given code and name (other fields as the add command fills them).
    registry::ObjectRecord addObject(registry::ObjectCode code, const QString& name, const QString& phone = QStringLiteral("79000000000"));

private:
    QTemporaryDir dir_;
    QString home_;
    QString alias_;
    std::unique_ptr<registry::Registry> registry_;
};

} // namespace kvt::test
