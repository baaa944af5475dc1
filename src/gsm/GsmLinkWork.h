#pragma once

#include "gsm/ModemConnection.h"
#include "settings/LinkWork.h"

namespace kvt {

// The GSM modem link's work: connecting opens Port_Modem, puts the modem into SMS PDU mode
// and starts the modem timers; disconnecting stops them, closes the port and puts out the
// modem's lamps (ModemConnection).
class GsmLinkWork final : public LinkWork {
public:
    explicit GsmLinkWork(ModemConnection& connection) : connection_(connection) {}

    void start(const PortSettings& settings, const std::function<void()>& opened) override;
    void stop(const std::function<void()>& closed) override;

private:
    ModemConnection& connection_;
};

} // namespace kvt
