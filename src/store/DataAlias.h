#pragma once

#include <QString>

namespace kvt::registry {

// Points the named alias (the Qt SQL connection name, "DRAV") at the store in the given
// folder of the program directory: an existing alias gets the new path, otherwise the alias
// is added for this run. Returns the folder path. A path longer than 255 characters is
// refused (StoreError) rather than cut.
QString CreateDataAlias(const QString& programDirectory, const QString& folder, const QString& alias);

// The folder the alias points at; empty when there is no such alias.
QString DataAliasFolder(const QString& alias);

inline const QString kDataFolder = QStringLiteral("Data");
inline const QString kDataAlias = QStringLiteral("DRAV");

} // namespace kvt::registry
