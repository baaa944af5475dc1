#include "gsm/TerminalAnswerList.h"

namespace kvt::gsm {

void TerminalAnswerList::append(const QString& line)
{
    const int row = static_cast<int>(lines_.size());
    beginInsertRows({}, row, row);
    lines_.append(line);
    endInsertRows();
}

int TerminalAnswerList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant TerminalAnswerList::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return lines_.at(index.row());
}

bool TerminalAnswerList::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > lines_.size())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    lines_.remove(row, count);
    endRemoveRows();
    return true;
}

} // namespace kvt::gsm
