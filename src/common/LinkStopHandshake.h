#pragma once

namespace kvt {

// The stop handshakes of the radio and RS-485 exchanges. When the main window closes it stops
// a radio exchange in progress, then an RS-485 exchange in progress; each call returns once the
// exchange has acknowledged (waiting with message pumping) or when none is in progress.
class LinkStopHandshake {
public:
    virtual ~LinkStopHandshake() = default;

    virtual void stopRadioExchange() = 0;
    virtual void stopRs485Exchange() = 0;
};

} // namespace kvt
