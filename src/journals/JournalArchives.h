#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// The names of the journal archives in a Reports folder: every file matching "*.log" (any
// letter case, hidden ones included), without its ".log", sorted by name. A missing folder
// has none.
QStringList ListJournalArchives(const QString& reportsFolder);

} // namespace kvt
