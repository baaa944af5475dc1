#pragma once

#include <QString>

class QAbstractItemModel;

namespace kvt {

// The page that "Экспорт для печати" writes: a table with one header cell per column and one
// row per list row, the date cell plain and the message cells in the colour of the row's line.
// Every text is HTML-escaped. Windows-1251 text, CR LF line ends.
QString JournalHtml(const QAbstractItemModel& list, const QString& listName);

// Writes JournalHtml to `path`, creating its folder when missing. Returns false when any step
// failed; the file is then left as it was.
bool ExportListToHtml(const QAbstractItemModel& list, const QString& listName, const QString& path);

} // namespace kvt
