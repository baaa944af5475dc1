#include "journals/MonthlyBooks.h"

#include "common/Clock.h"
#include "common/DesktopShell.h"

#include <QFileInfo>

namespace kvt {

bool OpenMonthlyBook(DesktopShell& shell, const QString& programDirectory, MonthlyBook book, const Clock& clock)
{
    const QString path = MonthlyBookPath(programDirectory, book, clock.now().date());
    if (!QFileInfo(path).isFile())
        return false;
    shell.open(path);
    return true;
}

} // namespace kvt
