#include "settings/LinkConnections.h"

namespace kvt {

void LinkConnections::setConnected(Link link, bool connected)
{
    if (connected_[index(link)] == connected)
        return;
    connected_[index(link)] = connected;
    emit connectionChanged(link, connected);
}

} // namespace kvt
