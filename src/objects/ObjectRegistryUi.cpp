#include "objects/ObjectRegistryUi.h"

#include "common/EventSink.h"
#include "common/OperatorNotices.h"
#include "objects/Registry.h"
#include "objects/RegistryPorts.h"

namespace kvt::registry {

ObjectRegistryUi::ObjectRegistryUi(Registry& registry, ChannelAddresses& addresses, ObjectTreeView* objectTree,
                                   HistoryTreeView* historyTree, const RegistryServices& services, QWidget* windowParent)
    : trees_(registry, objectTree, historyTree),
      selection_(registry, trees_, services),
      window_(windowParent),
      commands_(registry, trees_, addresses, window_, services)
{
}

void AnnounceSetAsideStore(const Registry& registry, EventSink& events, OperatorNotices& notices)
{
    const QString& notice = registry.setAsideNotice();
    if (notice.isEmpty())
        return;
    events.LogEvent(QStringLiteral("Повреждённая база данных"), notice, EventColour::Red);
    notices.information(notice);
}

} // namespace kvt::registry
