#include "objects/ui/RegistryTrees.h"

#include "store/Registry.h"

#include <QItemSelectionModel>

namespace kvt::registry {

RegistryTrees::RegistryTrees(Registry& registry, ObjectTreeView* objectTree, HistoryTreeView* historyTree, QObject* parent)
    : QObject(parent),
      registry_(registry),
      objectTree_(objectTree),
      historyTree_(historyTree),
      historyModel_([&registry](ObjectCode object, PacketCode below, int limit) {
          return registry.packets().historyPage(object, below, limit);
      })
{
    objectTree_->setModel(&objectModel_);
    historyTree_->setModel(&historyModel_);
}

void RegistryTrees::setImageList(const QList<QIcon>& images)
{
    objectModel_.setImageList(images);
    historyModel_.setImageList(images);
}

void RegistryTrees::rebuildQuietly(QTreeView* view, const std::function<void()>& change)
{
    ++rebuilding_;
    try {
        view->selectionModel()->clear();
        change();
    } catch (...) {
        --rebuilding_;
        throw;
    }
    --rebuilding_;
}

void RegistryTrees::BuildObjectTree()
{
    ObjectTable& table = registry_.objects();
    table.setIndexFieldNames(kNameO);
    const QList<ObjectRecord> rows = table.rows();
    rebuildQuietly(objectTree_, [&] { objectModel_.setObjects(rows); });
    table.last();
}

void RegistryTrees::SelectObjectNode()
{
    const auto& current = registry_.objects().current();
    if (!current)
        return;
    const QModelIndex node = objectModel_.findText(current->Name_O);
    if (!node.isValid())
        return;
    selectObjectNode(node);
    objectTree_->setFocus();
}

int RegistryTrees::FindObjectNode() const
{
    const auto& current = registry_.objects().current();
    if (!current)
        return -1;
    return objectModel_.absoluteIndex(objectModel_.findText(current->Name_O));
}

void RegistryTrees::FillHistoryTree(ObjectCode object)
{
    historyModel_.fillHistory(object);
}

void RegistryTrees::refreshHistory(const QString& rootText, ObjectCode object)
{
    clearHistory();
    historyModel_.setRootText(rootText);
    FillHistoryTree(object);
}

void RegistryTrees::clearHistory()
{
    rebuildQuietly(historyTree_, [&] { historyModel_.clearHistory(); });
}

QModelIndex RegistryTrees::selectedObjectNode() const
{
    return objectTree_->selectionModel()->currentIndex();
}

QModelIndex RegistryTrees::selectedHistoryNode() const
{
    return historyTree_->selectionModel()->currentIndex();
}

void RegistryTrees::selectObjectNode(const QModelIndex& node)
{
    objectTree_->selectionModel()->setCurrentIndex(node, QItemSelectionModel::ClearAndSelect);
}

void RegistryTrees::setObjectNodeImage(const QModelIndex& node, int imageIndex)
{
    objectModel_.setImage(node, imageIndex);
}

void RegistryTrees::expandObjectTree()
{
    objectTree_->expandAll();
}

void RegistryTrees::expandHistoryTree()
{
    historyTree_->expand(historyModel_.rootIndex());
}

void RegistryTrees::collapseTrees()
{
    objectTree_->collapseAll();
    historyTree_->collapseAll();
}

} // namespace kvt::registry
