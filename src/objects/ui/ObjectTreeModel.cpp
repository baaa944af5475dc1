#include "objects/ui/ObjectTreeModel.h"

#include <QScopeGuard>

#include <limits>

namespace kvt::registry {

ObjectTreeModel::ObjectTreeModel(QObject* parent) : RootedTreeModel(parent)
{
    setRootText(kRootText);
    setRootImage(kRootImage);
}

void ObjectTreeModel::setObjects(const QList<ObjectRecord>& rows)
{
    QList<Node> nodes;
    nodes.reserve(rows.size());
    for (const ObjectRecord& row : rows)
        nodes.append(Node{row.Name_O, row.Kod_O, -1});
    setChildren(std::move(nodes));
}

HistoryTreeModel::HistoryTreeModel(PageReader reader, QObject* parent) : RootedTreeModel(parent), reader_(std::move(reader))
{
}

void HistoryTreeModel::fillHistory(ObjectCode object)
{
    object_ = object;
    nextBelow_ = std::numeric_limits<PacketCode>::max();
    exhausted_ = false;
    fetchMore(rootIndex());
}

void HistoryTreeModel::clearHistory()
{
    exhausted_ = true;
    clearChildren();
}

bool HistoryTreeModel::canFetchMore(const QModelIndex& parent) const
{
    return isRoot(parent) && !exhausted_;
}

void HistoryTreeModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent) || fetching_)
        return;
    fetching_ = true;
    const auto done = qScopeGuard([this] { fetching_ = false; });
    const QList<HistoryEntry> page = reader_(object_, nextBelow_, kPageSize);
    if (page.size() < kPageSize)
        exhausted_ = true;
    if (page.isEmpty())
        return;
    nextBelow_ = page.last().Kod_SMS;
    QList<Node> nodes;
    nodes.reserve(page.size());
    for (const HistoryEntry& entry : page)
        nodes.append(Node{entry.Date_Time_SMS, entry.Kod_SMS, kEntryImage});
    appendChildren(nodes);
}

} // namespace kvt::registry
