#include "packets/StateSummaries.h"

#include <QStringBuilder>

#include <algorithm>
#include <initializer_list>

namespace kvt {

namespace {
// Appends the pieces while the text is shorter than the limit; the piece that reaches the limit
// is cut there, so the text never grows past it.
void appendCapped(QString& text, std::initializer_list<QStringView> pieces)
{
    for (QStringView piece : pieces) {
        const qsizetype room = StateSummaries::kSummaryLimit - text.size();
        if (room <= 0)
            return;
        text.append(piece.first(std::min(room, piece.size())));
    }
}

// True when an entry of these pieces fits below the limit whole.
bool fitsWhole(const QString& text, std::initializer_list<QStringView> pieces)
{
    qsizetype size = text.size();
    for (QStringView piece : pieces)
        size += piece.size();
    return size <= StateSummaries::kSummaryLimit;
}
} // namespace

// Every packet adds an entry per control: an entry that fits is appended in one growth of its
// text (string builders), the capped texts piece by piece only at their limit.

void StateSummaries::addState(QStringView title, QStringView text)
{
    constexpr QStringView kDash = u" - ";
    constexpr QStringView kEnd = u"; ";
    if (fitsWhole(state_, {title, kDash, text, kEnd}))
        state_ += title % kDash % text % kEnd;
    else
        appendCapped(state_, {title, kDash, text, kEnd});
}

void StateSummaries::addAlarm(QStringView title)
{
    constexpr QStringView kEnd = u"; ";
    if (fitsWhole(alarms_, {title, kEnd}))
        alarms_ += title % kEnd;
    else
        appendCapped(alarms_, {title, kEnd});
}

void StateSummaries::addSetting(QStringView title, QStringView text)
{
    settings_ += title % u" - " % text % u"; ";
}

void StateSummaries::addForward(QStringView title, QStringView text)
{
    forward_ += title % u"-" % text % u"; ";
}

void StateSummaries::addForwardAlarm(QStringView title)
{
    forwardAlarms_ += title % u";";
}

} // namespace kvt
