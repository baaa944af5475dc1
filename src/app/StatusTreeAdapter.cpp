#include "app/StatusTreeAdapter.h"

#include "journals/StatusIcons.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace kvt {

StatusTreeAdapter::StatusTreeAdapter(QTreeWidget& objectTree, QTreeWidget& historyTree)
    : objects_(objectTree), history_(historyTree)
{
}

void StatusTreeAdapter::focusObjectTree()
{
    objects_.setFocus();
}

bool StatusTreeAdapter::hasSelection() const
{
    return objects_.currentItem() != nullptr;
}

int StatusTreeAdapter::selectedIcon() const
{
    return NodeIcon(objects_.currentItem());
}

QString StatusTreeAdapter::selectedText() const
{
    return objects_.currentItem()->text(0);
}

void StatusTreeAdapter::setSelectedIcon(int icon)
{
    SetNodeIcon(objects_.currentItem(), icon);
}

void StatusTreeAdapter::setHistoryRootIcon(int icon)
{
    if (QTreeWidgetItem* root = history_.topLevelItem(0))
        SetNodeIcon(root, icon);
}

void StatusTreeAdapter::redrawHistory()
{
    history_.viewport()->update();
}

QList<int> StatusTreeAdapter::objectIcons() const
{
    QList<int> icons;
    QTreeWidgetItemIterator it(&objects_);
    if (*it)
        ++it; // the root "Список объектов"
    for (; *it; ++it)
        icons << NodeIcon(*it);
    return icons;
}

} // namespace kvt
