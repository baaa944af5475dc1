#include "store/ReceiptStamp.h"

#include <QRegularExpression>

namespace kvt::registry {

namespace {

constexpr int kCentury1900 = 1900;
constexpr int kCentury2000 = 2000;
constexpr int kTwoDigitYearLength = 2;

// day . month . year, spaces, hours : minutes [: seconds]
const QRegularExpression& StampPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{2}|\d{4})\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*$)"));
    return pattern;
}

int FullYear(QStringView digits)
{
    const int year = digits.toInt();
    if (digits.size() != kTwoDigitYearLength)
        return year;
    return year < kFirstTwoDigitYearOf1900s ? kCentury2000 + year : kCentury1900 + year;
}

} // namespace

std::optional<QDateTime> ReceiptStampTime(QStringView stamp)
{
    const QRegularExpressionMatch match = StampPattern().match(stamp.toString());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(FullYear(match.capturedView(3)), match.capturedView(2).toInt(), match.capturedView(1).toInt());
    const QTime time(match.capturedView(4).toInt(), match.capturedView(5).toInt(),
                     match.hasCaptured(6) ? match.capturedView(6).toInt() : 0);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

} // namespace kvt::registry
