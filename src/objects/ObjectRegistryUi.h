#pragma once

#include "objects/AddNewObjectForm.h"
#include "objects/ObjectCommands.h"
#include "objects/ObjectSelection.h"
#include "objects/RegistryTrees.h"

namespace kvt {
class EventSink;
class OperatorNotices;
} // namespace kvt

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

// Tells the operator, at start-up, that a damaged store file was set aside and a new empty
// store started: a red line in the event log and a message box. Nothing when the store was sound.
void AnnounceSetAsideStore(const Registry& registry, EventSink& events, OperatorNotices& notices);

} // namespace kvt::registry
