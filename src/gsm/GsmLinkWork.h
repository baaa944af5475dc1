#pragma once

#include "gsm/ModemConnection.h"
#include "settings/LinkWork.h"

namespace kvt {

namespace gsm {
class GsmEngine;
}

// The GSM modem link's work: connecting opens Port_Modem, puts the modem into SMS PDU mode
// and starts the modem timers; disconnecting stops them, closes the port and puts out the
// modem's lamps (ModemConnection). With the engine attached, the operator's connect or
// disconnect also ends the wait for a vanished device, and a disconnect ends the dialogue
// that may be running meanwhile.
class GsmLinkWork final : public LinkWork {
public:
    explicit GsmLinkWork(ModemConnection& connection) : connection_(connection) {}

    void setEngine(gsm::GsmEngine* engine) { engine_ = engine; }

    void start(const PortSettings& settings, const std::function<void()>& opened) override;
    void stop(const std::function<void()>& closed) override;

private:
    ModemConnection& connection_;
    gsm::GsmEngine* engine_ = nullptr;
};

} // namespace kvt
