#include "trends/TrendNumber.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace kvt {

namespace {
const QRegularExpression& NumberPattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"(^[+-]?(\d+([.,]\d*)?|[.,]\d+)([eE][+-]?\d+)?$)"));
    return pattern;
}
} // namespace

std::optional<double> ReadTrendNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (!NumberPattern().match(trimmed.toString()).hasMatch())
        return std::nullopt;
    QString plain = trimmed.toString();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kvt
