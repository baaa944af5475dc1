#include "trends/TrendRange.h"

namespace kvt {

namespace {
constexpr int kWeekDays = 7;
constexpr int kMonthDays = 30;
} // namespace

TrendRange TrendRange::Last(Span span, const QDateTime& now)
{
    switch (span) {
    case Span::LastDay: return TrendRange(span, now.addDays(-1), std::nullopt);
    case Span::Last7Days: return TrendRange(span, now.addDays(-kWeekDays), std::nullopt);
    case Span::Last30Days: return TrendRange(span, now.addDays(-kMonthDays), std::nullopt);
    case Span::All:
    case Span::Dates: break;
    }
    return All();
}

TrendRange TrendRange::Dates(QDate first, QDate last)
{
    return TrendRange(Span::Dates, first.startOfDay(), last.endOfDay());
}

TrendRange TrendRange::Between(std::optional<QDateTime> from, std::optional<QDateTime> to)
{
    return TrendRange(Span::Dates, std::move(from), std::move(to));
}

bool TrendRange::contains(const QDateTime& at) const
{
    return (!from_ || at >= *from_) && (!to_ || at <= *to_);
}

} // namespace kvt
