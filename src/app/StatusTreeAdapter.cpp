#include "app/StatusTreeAdapter.h"

#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"

namespace kvt {

void StatusTreeAdapter::focusObjectTree()
{
    trees_.objectTree()->setFocus();
}

bool StatusTreeAdapter::hasSelection() const
{
    return trees_.selectedObjectNode().isValid();
}

int StatusTreeAdapter::selectedIcon() const
{
    return trees_.objectModel().node(trees_.selectedObjectNode()).imageIndex;
}

QString StatusTreeAdapter::selectedText() const
{
    return trees_.objectModel().node(trees_.selectedObjectNode()).text;
}

void StatusTreeAdapter::setSelectedIcon(int icon)
{
    trees_.setObjectNodeImage(trees_.selectedObjectNode(), icon);
}

void StatusTreeAdapter::setHistoryRootIcon(int icon)
{
    trees_.historyModel().setRootImage(icon);
}

void StatusTreeAdapter::redrawHistory()
{
    trees_.historyTree()->viewport()->update();
}

QList<int> StatusTreeAdapter::objectIcons() const
{
    QList<int> icons;
    const registry::ObjectTreeModel& model = trees_.objectModel();
    for (int row = 0; row < model.childCount(); ++row)
        icons << model.child(row).imageIndex;
    return icons;
}

} // namespace kvt
