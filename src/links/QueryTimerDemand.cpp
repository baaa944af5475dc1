#include "links/QueryTimerDemand.h"

#include "common/MainTimers.h"
#include "settings/LinkConnections.h"

namespace kvt::links {

QueryTimerDemand::QueryTimerDemand(LinkConnections& connections, MainTimers& timers, QObject* parent)
    : QObject(parent), connections_(connections), timers_(timers)
{
    connect(&connections_, &LinkConnections::connectionChanged, this, &QueryTimerDemand::connectionChanged);
}

void QueryTimerDemand::connectionChanged(Link link, bool connected)
{
    const bool shortRangeLink = connections_.isConnected(Link::Radio) || connections_.isConnected(Link::Rs485);
    if (shortRangeLink) {
        if (!timers_.isActive(MainTimer::QueryTimer))
            timers_.start(MainTimer::QueryTimer);
        return;
    }
    // The modem's own disconnect stops QueryTimer itself.
    if (!connected && link != Link::Gsm && !connections_.isConnected(Link::Gsm))
        timers_.stop(MainTimer::QueryTimer);
}

} // namespace kvt::links
