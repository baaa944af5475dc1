#pragma once

#include "objects/ui/AddNewObjectForm.h"
#include "objects/ui/ObjectCommands.h"
#include "objects/ui/ObjectSelection.h"
#include "objects/ui/RegistryTrees.h"

namespace kvt::registry {

class ChannelAddresses;
class Registry;

// The registry's part of the main window in one piece: the trees with their handlers, the
// add/edit window and the commands. The main window places the two views, hands in the
// services and wires its menus and buttons to commands().
class ObjectRegistryUi : public QObject {
    Q_OBJECT
public:
    ObjectRegistryUi(Registry& registry, ChannelAddresses& addresses, ObjectTreeView* objectTree,
                     HistoryTreeView* historyTree, const RegistryServices& services, QWidget* windowParent = nullptr);

    RegistryTrees& trees() { return trees_; }
    ObjectSelection& selection() { return selection_; }
    ObjectCommands& commands() { return commands_; }
    AddNewObjectForm& addNewObjectForm() { return window_; }

private:
    RegistryTrees trees_;
    ObjectSelection selection_;
    AddNewObjectForm window_;
    ObjectCommands commands_;
};

} // namespace kvt::registry
