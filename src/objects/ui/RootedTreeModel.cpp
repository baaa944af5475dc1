#include "objects/ui/RootedTreeModel.h"

namespace kvt::registry {

namespace {
// The internal id tells the root (no parent) from its children.
constexpr quintptr kRootId = 0;
constexpr quintptr kChildId = 1;
} // namespace

RootedTreeModel::RootedTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void RootedTreeModel::setImageList(QList<QIcon> images)
{
    images_ = std::move(images);
    if (childCount() > 0)
        emit dataChanged(childIndex(0), childIndex(childCount() - 1), {Qt::DecorationRole});
    emit dataChanged(rootIndex(), rootIndex(), {Qt::DecorationRole});
}

QModelIndex RootedTreeModel::rootIndex() const
{
    return createIndex(0, 0, kRootId);
}

bool RootedTreeModel::isRoot(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.internalId() == kRootId;
}

QModelIndex RootedTreeModel::childIndex(int row) const
{
    return row >= 0 && row < childCount() ? createIndex(row, 0, kChildId) : QModelIndex();
}

RootedTreeModel::Node RootedTreeModel::node(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return isRoot(index) ? root_ : children_.value(index.row());
}

RootedTreeModel::Node& RootedTreeModel::nodeRef(const QModelIndex& index)
{
    return isRoot(index) ? root_ : children_[index.row()];
}

void RootedTreeModel::setRootText(const QString& text)
{
    setText(rootIndex(), text);
}

void RootedTreeModel::setRootImage(int imageIndex)
{
    setImage(rootIndex(), imageIndex);
}

void RootedTreeModel::setText(const QModelIndex& index, const QString& text)
{
    if (!index.isValid())
        return;
    nodeRef(index).text = text;
    emit dataChanged(index, index, {Qt::DisplayRole});
}

void RootedTreeModel::setImage(const QModelIndex& index, int imageIndex)
{
    if (!index.isValid())
        return;
    nodeRef(index).imageIndex = imageIndex;
    emit dataChanged(index, index, {Qt::DecorationRole, ImageIndexRole});
}

void RootedTreeModel::clearChildren()
{
    if (children_.isEmpty())
        return;
    beginRemoveRows(rootIndex(), 0, childCount() - 1);
    children_.clear();
    endRemoveRows();
}

void RootedTreeModel::setChildren(QList<Node> children)
{
    clearChildren();
    appendChildren(children);
}

void RootedTreeModel::appendChildren(const QList<Node>& nodes)
{
    if (nodes.isEmpty())
        return;
    beginInsertRows(rootIndex(), childCount(), childCount() + int(nodes.size()) - 1);
    children_.append(nodes);
    endInsertRows();
}

QModelIndex RootedTreeModel::appendChild(const Node& node)
{
    appendChildren({node});
    return childIndex(childCount() - 1);
}

void RootedTreeModel::removeChild(int row)
{
    if (row < 0 || row >= childCount())
        return;
    beginRemoveRows(rootIndex(), row, row);
    children_.removeAt(row);
    endRemoveRows();
}

int RootedTreeModel::absoluteIndex(const QModelIndex& index) const
{
    if (!index.isValid())
        return -1;
    return isRoot(index) ? 0 : index.row() + 1;
}

QModelIndex RootedTreeModel::indexAtAbsolute(int absoluteIndex) const
{
    return absoluteIndex == 0 ? rootIndex() : childIndex(absoluteIndex - 1);
}

QModelIndex RootedTreeModel::findText(const QString& text) const
{
    if (root_.text == text)
        return rootIndex();
    for (int row = 0; row < childCount(); ++row) {
        if (children_[row].text == text)
            return childIndex(row);
    }
    return {};
}

QModelIndex RootedTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? rootIndex() : QModelIndex();
    return isRoot(parent) ? childIndex(row) : QModelIndex();
}

QModelIndex RootedTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || isRoot(child))
        return {};
    return rootIndex();
}

int RootedTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    return isRoot(parent) ? childCount() : 0;
}

int RootedTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant RootedTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Node& n = isRoot(index) ? root_ : children_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return n.text;
    case Qt::DecorationRole:
        return n.imageIndex >= 0 && n.imageIndex < images_.size() ? QVariant(images_[n.imageIndex]) : QVariant();
    case ImageIndexRole:
        return n.imageIndex;
    case NodeDataRole:
        return n.data;
    default:
        return {};
    }
}

Qt::ItemFlags RootedTreeModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace kvt::registry
