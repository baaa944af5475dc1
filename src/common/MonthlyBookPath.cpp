#include "common/MonthlyBookPath.h"

namespace kvt {

QString MonthlyBookFolder(MonthlyBook book)
{
    return book == MonthlyBook::Alarms ? QStringLiteral("AvariBook/") : QStringLiteral("SmsBook/");
}

QString MonthlyBookPath(const QString& programDirectory, MonthlyBook book, QDate month)
{
    return programDirectory + MonthlyBookFolder(book) + QString::number(month.year()) + QLatin1Char('_')
        + QString::number(month.month()) + QStringLiteral(".html");
}

} // namespace kvt
