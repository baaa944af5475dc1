#include "serial/ModemLineControl.h"

#include <cerrno>
#include <sys/ioctl.h>

namespace kvt {

int IoctlModemLineControl::setLine(int fd, ModemLine line, bool high)
{
    int bits = line == ModemLine::DTR ? TIOCM_DTR : TIOCM_RTS;
    if (::ioctl(fd, high ? TIOCMBIS : TIOCMBIC, &bits) == 0)
        return 0;
    return errno;
}

std::shared_ptr<ModemLineControl> DefaultModemLineControl()
{
    static const auto control = std::make_shared<IoctlModemLineControl>();
    return control;
}

} // namespace kvt
