#include "packets/StateSummaries.h"

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
} // namespace

void StateSummaries::addState(QStringView title, QStringView text)
{
    appendCapped(state_, {title, u" - ", text, u"; "});
}

void StateSummaries::addAlarm(QStringView title)
{
    appendCapped(alarms_, {title, u"; "});
}

void StateSummaries::addSetting(QStringView title, QStringView text)
{
    settings_.append(title).append(u" - ").append(text).append(u"; ");
}

void StateSummaries::addForward(QStringView title, QStringView text)
{
    forward_.append(title).append(u"-").append(text).append(u"; ");
}

void StateSummaries::addForwardAlarm(QStringView title)
{
    forwardAlarms_.append(title).append(u";");
}

} // namespace kvt
