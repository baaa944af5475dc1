#pragma once

#include <QString>

namespace kvt {

struct TrendTable;

// The table as a spreadsheet opens it on a Russian desktop: fields separated by ";", lines
// ended by CR LF; a head line with "Дата и время" and the titles of the values; then one line
// per packet: the receipt time as an ISO date and time (2024-03-01T08:15:00), then each
// value as the decoded text shows it (its decimal separator included), empty where the packet
// shows no number. A field holding ";", a quote or a line break is quoted.
QString TrendCsvText(const TrendTable& table);

// Saves the text in Windows-1251 in one piece (never half a file); throws IoError.
void WriteTrendCsv(const QString& path, const TrendTable& table);

inline const QString kTrendTimeColumn = QStringLiteral("Дата и время");

} // namespace kvt
