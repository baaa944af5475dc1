#include "gsm/GsmModemLink.h"

#include "settings/Settings.h"

namespace kvt {

GsmModemLink::GsmModemLink(ModemConnection::Parts parts, const Settings& settings, LinkConnections& connections,
                           OperatorNotices& notices)
    : settings_(settings),
      connection_(parts),
      control_(connection_, parts.port, notices,
               [&connections](bool connected) { connections.setConnected(Link::Gsm, connected); })
{
}

bool GsmModemLink::connectLink()
{
    const LinkSettings& gsm = settings_->gsm;
    return control_.connectLink(gsm.port, gsm.baudRate, gsm.dtr, gsm.rts);
}

void GsmModemLink::disconnectLink()
{
    control_.disconnectLink();
}

} // namespace kvt
