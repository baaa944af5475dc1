#pragma once

#include "gsm/ModemConnection.h"
#include "gsm/ModemLinkControl.h"
#include "settings/LinkConnections.h"

namespace kvt {

class Settings;

// The GSM modem link as the settings window's GSM tab drives it: its " Подключить" and
// "Отключить" buttons connect Port_Modem with the port, speed and DTR/RTS of the settings
// model, and the connected state they show follows the link.
class GsmModemLink final : public LinkConnector {
public:
    GsmModemLink(ModemConnection::Parts parts, const Settings& settings, LinkConnections& connections,
                 OperatorNotices& notices);

    bool connectLink() override;
    void disconnectLink() override;

    ModemConnection& connection() { return connection_; }

private:
    const Settings& settings_;
    ModemConnection connection_;
    ModemLinkControl control_;
};

} // namespace kvt
