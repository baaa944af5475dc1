#pragma once

#include <QDate>
#include <QString>

namespace kvt {

class Clock;
class DesktopShell;

// The monthly HTML books: received states in SmsBook/, alarms in AvariBook/, one file per
// month named year + "_" + month (no leading zero) + ".html".
enum class MonthlyBook { States, Alarms };

QString MonthlyBookFolder(MonthlyBook book);  // "SmsBook/" or "AvariBook/"
QString MonthlyBookPath(const QString& programDirectory, MonthlyBook book, QDate month);

// Opens this month's book with the desktop shell. A book not written yet is not opened and
// gives no message. Returns true when the shell was asked to open it.
bool OpenMonthlyBook(DesktopShell& shell, const QString& programDirectory, MonthlyBook book, const Clock& clock);

} // namespace kvt
