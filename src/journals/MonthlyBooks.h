#pragma once

#include "common/MonthlyBookPath.h"

#include <QString>

namespace kvt {

class Clock;
class DesktopShell;

// Opens this month's book with the desktop shell. A book not written yet is not opened and
// gives no message. Returns true when the shell was asked to open it.
bool OpenMonthlyBook(DesktopShell& shell, const QString& programDirectory, MonthlyBook book, const Clock& clock);

} // namespace kvt
