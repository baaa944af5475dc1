#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

namespace kvt {

// The stretch of receipt times a trend covers. Both ends are included; an open end takes
// everything on that side, so a packet stamped a little ahead of the console's clock still
// shows in the last day.
class TrendRange {
public:
    enum class Span { LastDay, Last7Days, Last30Days, All, Dates };

    // The last one, seven or thirty days up to `now` (the same time of day that many days
    // before), or all of the history.
    static TrendRange Last(Span span, const QDateTime& now);
    static TrendRange All() { return TrendRange(Span::All, std::nullopt, std::nullopt); }
    // From the start of `first` through the end of `last`.
    static TrendRange Dates(QDate first, QDate last);
    // Between two moments; either may be open.
    static TrendRange Between(std::optional<QDateTime> from, std::optional<QDateTime> to);

    Span span() const { return span_; }
    const std::optional<QDateTime>& from() const { return from_; }
    const std::optional<QDateTime>& to() const { return to_; }

    bool contains(const QDateTime& at) const;

private:
    TrendRange(Span span, std::optional<QDateTime> from, std::optional<QDateTime> to)
        : span_(span), from_(std::move(from)), to_(std::move(to))
    {
    }

    Span span_;
    std::optional<QDateTime> from_;
    std::optional<QDateTime> to_;
};

} // namespace kvt
