#pragma once

#include "objects/ui/ObjectTreeModel.h"
#include "objects/ui/RegistryTreeViews.h"

#include <QObject>

namespace kvt::registry {

class Registry;

// The object tree and the history tree of the main window with the registry's operations on
// them. The views are the main window's (it places them); the models live here.
class RegistryTrees : public QObject {
    Q_OBJECT
public:
    RegistryTrees(Registry& registry, ObjectTreeView* objectTree, HistoryTreeView* historyTree, QObject* parent = nullptr);

    ObjectTreeView* objectTree() const { return objectTree_; }
    HistoryTreeView* historyTree() const { return historyTree_; }
    ObjectTreeModel& objectModel() { return objectModel_; }
    HistoryTreeModel& historyModel() { return historyModel_; }

    // The images of both trees (ImageList1, indexes 0 to 12).
    void setImageList(const QList<QIcon>& images);

    // Orders the objects table by name and makes one node per row below the root; the table
    // ends on its last row, nothing is selected.
    void BuildObjectTree();
    // Selects the first node, in tree order, whose text is the name at the current row of the
    // objects table (letter case significant) and focuses the tree; nothing when none matches.
    // Selecting another node runs the object tree's change handling.
    void SelectObjectNode();
    // The absolute index of that node (the root is 0); -1 when none matches.
    int FindObjectNode() const;
    // Appends the object's stored packets below the history root, newest first.
    void FillHistoryTree(ObjectCode object);
    // Deletes the history entries, names the root and fills it with the object's history.
    void refreshHistory(const QString& rootText, ObjectCode object);
    // Deletes the history entries (the root stays).
    void clearHistory();

    QModelIndex selectedObjectNode() const;
    QModelIndex selectedHistoryNode() const;
    void selectObjectNode(const QModelIndex& node);
    void setObjectNodeImage(const QModelIndex& node, int imageIndex);

    void expandObjectTree();
    void expandHistoryTree();
    void collapseTrees();

    // True while the trees are changed by the program in a way that must not run the
    // selection handlers (rebuilding, deleting nodes).
    bool isRebuilding() const { return rebuilding_ > 0; }

    // Runs `change` with the selection handlers held back and the selection of `view` cleared.
    void rebuildQuietly(QTreeView* view, const std::function<void()>& change);

private:
    Registry& registry_;
    ObjectTreeView* objectTree_;
    HistoryTreeView* historyTree_;
    ObjectTreeModel objectModel_;
    HistoryTreeModel historyModel_;
    int rebuilding_ = 0;
};

} // namespace kvt::registry
