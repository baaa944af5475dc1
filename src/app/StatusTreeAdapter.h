#pragma once

#include "journals/StatusReset.h"
#include "packets/closing/AlarmMarking.h"

namespace kvt {

namespace registry {
class RegistryTrees;
}

// The object tree and the history tree of the main window as the status reset and the alarm of
// a packet see them.
class StatusTreeAdapter final : public ObjectStatusTree, public AlarmMarking {
public:
    explicit StatusTreeAdapter(registry::RegistryTrees& trees) : trees_(trees) {}

    void focusObjectTree() override;
    bool hasSelection() const override;
    int selectedIcon() const override;
    QString selectedText() const override;
    void setSelectedIcon(int icon) override;
    void setHistoryRootIcon(int icon) override;
    void redrawHistory() override;
    QList<int> objectIcons() const override;

private:
    registry::RegistryTrees& trees_;
};

} // namespace kvt
