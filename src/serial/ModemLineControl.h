#pragma once

#include <memory>

namespace kvt {

// The modem-control lines a port drives itself (flow control never drives them).
enum class ModemLine { DTR, RTS };

// Raises or lowers a modem-control line of an open device. The termios port does this through
// this seam so the requests it makes can be checked on devices without such lines.
class ModemLineControl {
public:
    virtual ~ModemLineControl() = default;
    // Returns 0 on success, otherwise the system error code (errno) of the failure.
    virtual int setLine(int fd, ModemLine line, bool high) = 0;
};

// The real one: TIOCMBIS / TIOCMBIC.
class IoctlModemLineControl final : public ModemLineControl {
public:
    int setLine(int fd, ModemLine line, bool high) override;
};

std::shared_ptr<ModemLineControl> DefaultModemLineControl();

} // namespace kvt
