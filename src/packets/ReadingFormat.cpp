#include "packets/ReadingFormat.h"

#include <QLocale>

#include <cmath>

namespace kvt {

namespace {
constexpr int kGeneralDigits = 15;
constexpr int kFixedDecimals = 2;

QString specialText(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString withDecimalPoint(QString text, QChar decimalPoint)
{
    text.replace(QLatin1Char('.'), decimalPoint);
    return text;
}
} // namespace

QChar SystemDecimalPoint()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

QString FormatGeneral(long double value, QChar decimalPoint)
{
    if (!std::isfinite(value))
        return specialText(value);
    // %g already drops trailing zeros and switches to scientific notation from 1e15 on.
    QString text = QString::asprintf("%.*Lg", kGeneralDigits, value);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) // "1.5e+20" -> "1.5E20"
        text = text.left(e) + QLatin1Char('E') + QString::number(text.mid(e + 1).toInt());
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return withDecimalPoint(text, decimalPoint);
}

QString FormatFixed2(long double value, QChar decimalPoint)
{
    if (!std::isfinite(value))
        return specialText(value);
    if (value == 0)
        value = 0; // a negative zero reads as zero
    QString text = QString::asprintf("%.*Lf", kFixedDecimals, value);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2)
        text.remove(0, 1); // a tiny negative value that rounds to zero
    return withDecimalPoint(text, decimalPoint);
}

} // namespace kvt
