#include "journals/MonthlyBooks.h"

#include "common/Clock.h"
#include "common/DesktopShell.h"

#include <QFileInfo>

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

bool OpenMonthlyBook(DesktopShell& shell, const QString& programDirectory, MonthlyBook book, const Clock& clock)
{
    const QString path = MonthlyBookPath(programDirectory, book, clock.now().date());
    if (!QFileInfo(path).isFile())
        return false;
    shell.open(path);
    return true;
}

} // namespace kvt
