#include "journals/JournalArchives.h"

#include <QDir>

namespace kvt {

namespace {
const QString kArchiveExtension = QStringLiteral(".log");
} // namespace

QStringList ListJournalArchives(const QString& reportsFolder)
{
    const QDir folder(reportsFolder);
    QStringList names = folder.entryList({QLatin1Char('*') + kArchiveExtension},
                                         QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (QString& name : names)
        name.chop(kArchiveExtension.size());
    return names;
}

} // namespace kvt
