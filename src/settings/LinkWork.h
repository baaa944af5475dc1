#pragma once

#include "serial/SerialPort.h"

#include <functional>

namespace kvt {

// The work of one link around its port: what connecting starts and disconnecting stops. The GSM
// modem, the radio link and the RS-485 link each have one; the link connector drives it.
class LinkWork {
public:
    virtual ~LinkWork() = default;

    // Opens the link's port with `settings`, calls `opened` as soon as the port is open (the
    // settings window switches its buttons there), then starts the link's work. Throws PortError
    // when the port cannot be opened or fails while the work starts.
    virtual void start(const PortSettings& settings, const std::function<void()>& opened) = 0;

    // Stops the link's work and closes its port, calling `closed` as soon as the port is closed.
    virtual void stop(const std::function<void()>& closed) = 0;
};

} // namespace kvt
