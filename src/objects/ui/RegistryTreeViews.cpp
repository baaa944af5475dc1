#include "objects/ui/RegistryTreeViews.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace kvt::registry {

RegistryTreeView::RegistryTreeView(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void RegistryTreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const QModelIndex under = indexAt(event->position().toPoint());
        if (under.isValid())
            setCurrentIndex(under);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void RegistryTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextPopup();
    if (menu_)
        menu_->popup(event->globalPos());
    event->accept();
}

ObjectTreeView::ObjectTreeView(QWidget* parent) : RegistryTreeView(parent)
{
    setObjectName(QStringLiteral("ObjectTreeView"));
    setToolTip(QStringLiteral("Список объектов"));
}

HistoryTreeView::HistoryTreeView(QWidget* parent) : RegistryTreeView(parent)
{
    setObjectName(QStringLiteral("Time_TreeView"));
    setToolTip(QStringLiteral("Список состояний (ИСТОРИЯ)"));
}

} // namespace kvt::registry
