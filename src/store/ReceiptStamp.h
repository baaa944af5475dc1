#pragma once

#include <QDateTime>
#include <QStringView>

#include <optional>

namespace kvt::registry {

// The receipt stamp of a stored packet (Date_Time_SMS) as a local date and time: the one
// reading of stamps for every report over an object's history.
//
// A stamp is day, month and year with points between them, spaces, then hours and minutes
// with a colon: "31.12.24  23:59". The receive paths write two digits each; one-digit days,
// months and hours, a four-digit year and trailing seconds (":05") are read as well.
// A two-digit year names the century by its value: 00-69 are 2000-2069, 70-99 are 1970-1999.
//
// Returns nothing for a text that is not such a stamp or names no real date and time,
// "00.00.00  00:00" (nothing received yet) included.
std::optional<QDateTime> ReceiptStampTime(QStringView stamp);

// The smallest two-digit year read as a year of the 1900s.
inline constexpr int kFirstTwoDigitYearOf1900s = 70;

} // namespace kvt::registry
