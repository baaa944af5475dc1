#pragma once

#include <QDate>
#include <QString>

namespace kvt {

// The monthly HTML books: received states in SmsBook/, alarms in AvariBook/, one file per
// month named year + "_" + month (no leading zero) + ".html". The writer of the books and the
// main window that opens them both take the name from here.
enum class MonthlyBook { States, Alarms };

QString MonthlyBookFolder(MonthlyBook book);  // "SmsBook/" or "AvariBook/"
QString MonthlyBookPath(const QString& programDirectory, MonthlyBook book, QDate month);

} // namespace kvt
