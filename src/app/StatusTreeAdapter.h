#pragma once

#include "journals/StatusReset.h"

class QTreeWidget;

namespace kvt {

// The object tree and the history tree of the main window as the status reset sees them.
class StatusTreeAdapter final : public ObjectStatusTree {
public:
    StatusTreeAdapter(QTreeWidget& objectTree, QTreeWidget& historyTree);

    void focusObjectTree() override;
    bool hasSelection() const override;
    int selectedIcon() const override;
    QString selectedText() const override;
    void setSelectedIcon(int icon) override;
    void setHistoryRootIcon(int icon) override;
    void redrawHistory() override;
    QList<int> objectIcons() const override;

private:
    QTreeWidget& objects_;
    QTreeWidget& history_;
};

} // namespace kvt
