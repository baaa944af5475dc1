#pragma once

#include <QChar>
#include <QString>

// How decoded readings are written on the form: the system's decimal separator, no grouping.
namespace kvt {

// The separator of the system's number format (the point under LC_ALL=C).
QChar SystemDecimalPoint();

// General format: the shortest text of the value rounded to 15 significant digits, in fixed
// notation below 1E15 and in scientific notation ("1.5E20", "1E-7") otherwise.
QString FormatGeneral(long double value, QChar decimalPoint);

// Fixed point with two decimals ("1234.50", "-0.25"); "NAN", "INF", "-INF" for the specials.
QString FormatFixed2(long double value, QChar decimalPoint);

} // namespace kvt
