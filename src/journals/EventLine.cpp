#include "journals/EventLine.h"

namespace kvt {

namespace {
QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Year, month, day, two spaces, hour, minute, second, with the given separators.
QString stamp(const QDateTime& when, QChar dateSeparator, QChar timeSeparator)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return QString::number(date.year()) + dateSeparator + twoDigits(date.month()) + dateSeparator
        + twoDigits(date.day()) + QStringLiteral("  ") + QString::number(time.hour()) + timeSeparator
        + twoDigits(time.minute()) + timeSeparator + twoDigits(time.second());
}

bool spaceAt(QStringView line, qsizetype index)
{
    return index < line.size() && line[index] == QLatin1Char(' ');
}
} // namespace

QString EventStamp(const QDateTime& when)
{
    return stamp(when, QLatin1Char('.'), QLatin1Char(':'));
}

QString ArchiveStamp(const QDateTime& when)
{
    return stamp(when, QLatin1Char('_'), QLatin1Char('_'));
}

QString ColourPrefix(EventColour colour)
{
    switch (colour) {
    case EventColour::Red:
        return QStringLiteral("   ");
    case EventColour::Green:
        return QStringLiteral("  ");
    case EventColour::Yellow:
        return QStringLiteral(" ");
    case EventColour::White:
        break;
    }
    return {};
}

QString FormatEventLine(const QDateTime& when, const QString& title, const QString& text, EventColour colour)
{
    return ColourPrefix(colour) + EventStamp(when) + QStringLiteral(" - ") + title + QLatin1Char(' ') + text;
}

EventColour LineColour(QStringView line)
{
    if (spaceAt(line, 0) && spaceAt(line, 1) && spaceAt(line, 2))
        return EventColour::Red;
    if (spaceAt(line, 0) && spaceAt(line, 1))
        return EventColour::Green;
    if (spaceAt(line, 0))
        return EventColour::Yellow;
    return EventColour::White;
}

bool IsGreenLine(QStringView line)
{
    return spaceAt(line, 0) && spaceAt(line, 1) && !spaceAt(line, 2);
}

} // namespace kvt
