#pragma once

#include <QMenu>
#include <QPointer>
#include <QTreeView>



namespace kvt::registry {

// The tree views of the registry in the main window's left panel: read-only, bold, no header.
// A right click first selects the node under the mouse, then reports the popup (the registry
// refreshes the object), then opens the context menu the main window has set.
class RegistryTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit RegistryTreeView(QWidget* parent = nullptr);

    void setContextMenu(QMenu* menu) { menu_ = menu; }
    QMenu* contextMenu() const { return menu_; }

signals:
    // The right click has selected the node under the mouse; the menu opens after this.
    void contextPopup();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<QMenu> menu_;
};

// ObjectTreeView: the list of objects.
class ObjectTreeView : public RegistryTreeView {
    Q_OBJECT
public:
    explicit ObjectTreeView(QWidget* parent = nullptr);
};

// Time_TreeView: the history of the selected object.
class HistoryTreeView : public RegistryTreeView {
    Q_OBJECT
public:
    explicit HistoryTreeView(QWidget* parent = nullptr);
};

} // namespace kvt::registry
