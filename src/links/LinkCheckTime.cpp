#include "links/LinkCheckTime.h"

#include <QRegularExpression>

#include <optional>

namespace kvt::links {

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 1440;
constexpr int kLimitFactor = 2;
constexpr int kLimitPerHourExtra = 5;
constexpr int kSecondsPerMinute = 60;
constexpr int kCenturyOfShortYears = 2000;
constexpr int kShortYearDigits = 2;

const QString kTwoSpaces = QStringLiteral("  ");
constexpr QChar kTimeSeparator = QLatin1Char(':');
constexpr QChar kDateSeparator = QLatin1Char('.');

// The text from `from` up to `stop` (or the end).
QString Upto(const QString& text, qsizetype from, QChar stop)
{
    const qsizetype end = text.indexOf(stop, from);
    return text.mid(from, end < 0 ? -1 : end - from);
}

struct RingParts {
    QString day;
    QString hours;
    QString minutes;
};

RingParts CutRing(const QString& timeRing)
{
    RingParts parts;
    parts.day = Upto(timeRing, 0, kDateSeparator);
    if (const qsizetype colon = timeRing.indexOf(kTimeSeparator); colon >= 0)
        parts.minutes = Upto(timeRing, colon + 1, kTimeSeparator);
    if (const qsizetype spaces = timeRing.indexOf(kTwoSpaces); spaces >= 0)
        parts.hours = Upto(timeRing, spaces + kTwoSpaces.size(), kTimeSeparator);
    return parts;
}

std::optional<int> Decimal(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The moment of Time_Ring when it holds a whole valid date and time.
std::optional<QDateTime> RingMoment(const QString& timeRing)
{
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{2}|\d{4})\s+(\d{1,2}):(\d{1,2})\s*$)"));
    const QRegularExpressionMatch match = shape.match(timeRing);
    if (!match.hasMatch())
        return std::nullopt;
    int year = match.captured(3).toInt();
    if (match.captured(3).size() == kShortYearDigits)
        year += kCenturyOfShortYears;
    const QDate date(year, match.captured(2).toInt(), match.captured(1).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

QDateTime ToTheMinute(const QDateTime& moment)
{
    const QTime time = moment.time();
    return QDateTime(moment.date(), QTime(time.hour(), time.minute()));
}

} // namespace

int OverdueLimitMinutes(int period)
{
    return kLimitFactor * period + kLimitPerHourExtra * (period / kMinutesPerHour);
}

int MinuteOfMonth(int day, int hour, int minute)
{
    return minute + kMinutesPerHour * hour + kMinutesPerDay * (day - 1);
}

LinkCheckVerdict JudgeLinkCheck(const QString& timeRing, int period, const QDateTime& now)
{
    using Kind = LinkCheckVerdict::Kind;
    const RingParts parts = CutRing(timeRing);
    if (parts.day.isEmpty() || parts.hours.isEmpty() || parts.minutes.isEmpty())
        return {Kind::Incomplete, {}};
    const auto day = Decimal(parts.day);
    const auto hours = Decimal(parts.hours);
    const auto minutes = Decimal(parts.minutes);
    if (!minutes)
        return {Kind::NotANumber, parts.minutes};
    if (!hours)
        return {Kind::NotANumber, parts.hours};
    if (!day)
        return {Kind::NotANumber, parts.day};

    const int limit = OverdueLimitMinutes(period);
    if (const auto called = RingMoment(timeRing)) {
        const qint64 elapsed = called->secsTo(ToTheMinute(now)) / kSecondsPerMinute;
        return {limit < elapsed ? Kind::Overdue : Kind::InTime, {}};
    }
    const int ring = MinuteOfMonth(*day, *hours, *minutes);
    const QTime clock = now.time();
    const int current = MinuteOfMonth(now.date().day(), clock.hour(), clock.minute());
    const int elapsed = current - ring;
    const int wrapped = current + kMinutesPerDay * now.date().daysInMonth() - ring;
    const bool overdue = limit < elapsed || (elapsed < 0 && limit < wrapped);
    return {overdue ? Kind::Overdue : Kind::InTime, {}};
}

} // namespace kvt::links
