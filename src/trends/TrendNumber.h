#pragma once

#include <QStringView>

#include <optional>

namespace kvt {

// The number a decoded text shows, as a trend plots it: an optional sign, digits with at most
// one decimal separator (a point or a comma, whichever the text shows) and an optional
// exponent ("1,5E20"), with blanks around it. Nothing for any other text, infinities and
// "NAN" included.
std::optional<double> ReadTrendNumber(QStringView text);

} // namespace kvt
