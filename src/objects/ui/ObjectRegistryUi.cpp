#include "objects/ui/ObjectRegistryUi.h"


namespace kvt::registry {

ObjectRegistryUi::ObjectRegistryUi(Registry& registry, ChannelAddresses& addresses, ObjectTreeView* objectTree,
                                   HistoryTreeView* historyTree, const RegistryServices& services, QWidget* windowParent)
    : trees_(registry, objectTree, historyTree),
      selection_(registry, trees_, services),
      window_(windowParent),
      commands_(registry, trees_, addresses, window_, services)
{
}

} // namespace kvt::registry
