#include "journals/JournalListModel.h"

#include "common/TextPos.h"
#include "journals/EventColourPaint.h"
#include "journals/EventLine.h"

namespace kvt {

namespace {
const QString kDateSeparator = QStringLiteral(" - ");
// Spaces at these 1-based positions are the colour prefix.
constexpr int kPrefixEnd = 3;
} // namespace

const QString JournalListModel::kDateCaption = QStringLiteral("Дата");
const QString JournalListModel::kMessageCaption = QStringLiteral("Сообщение");

JournalRow SplitJournalLine(const QString& line)
{
    const int p = Pos(kDateSeparator, line);
    QString date;
    date.reserve(p);
    for (int i = 1; i <= p; ++i) {
        const QChar ch = line[i - 1];
        if (i <= kPrefixEnd && ch == QLatin1Char(' '))
            continue;
        date += ch;
    }
    return {date, Copy(line, p + int(kDateSeparator.size()), int(line.size()))};
}

int ColourCategory(EventColour colour)
{
    switch (colour) {
    case EventColour::Red:
        return 1;
    case EventColour::Green:
        return 2;
    case EventColour::Yellow:
        return 3;
    case EventColour::White:
        break;
    }
    return 4;
}

void JournalListModel::setLines(LogLines lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

int JournalListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

int JournalListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString line = lines_.at(index.row());
    switch (role) {
    case Qt::DisplayRole: {
        const JournalRow row = SplitJournalLine(line);
        return index.column() == DateColumn ? row.date : row.message;
    }
    case Qt::BackgroundRole:
        return ToQColor(LineColour(line));
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case ColourCategoryRole:
        return ColourCategory(LineColour(line));
    default:
        return {};
    }
}

QVariant JournalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == DateColumn)
        return kDateCaption;
    if (section == MessageColumn)
        return kMessageCaption;
    return {};
}

} // namespace kvt
