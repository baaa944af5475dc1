#include "journals/QtDesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace kvt {

bool QtDesktopShell::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace kvt
