#pragma once

#include "links/LinkKind.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace kvt::links {

// The first line of a link report: the bytes before the first CR; on RS-485, when nothing
// precedes the first CR, the bytes before the first LF. Read as Windows-1251 text.
QString ReportFirstLine(const QByteArray& report, LinkKind link);

// The state signature of a report: its first line with trailing spaces, CRs and LFs removed
// and, from the seventh character on, every value field (one of the letters H I M P Q T X Y
// and the run of spaces, commas, minus signs, points, digits and question marks after it)
// removed. Two reports whose first lines differ only inside value fields have the same
// signature.
//
// None when the report has no first line to judge (nothing before its first CR, on RS-485
// nothing before its first LF either, or a line of nothing but spaces, CRs and LFs): such a
// report is dropped, so that it can neither block the tick nor pass for a state.
std::optional<QString> StateSignature(const QByteArray& report, LinkKind link);

// The first line of a report with its value fields removed (no trimming).
QString RemoveValueFields(QString line);

// The receipt stamp under which a link report is stored: "dd.mm.yy  hh:mm", 15 characters.
QString ReceiptStamp(const QDateTime& now);

} // namespace kvt::links
