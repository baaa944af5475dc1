#include "common/BaudRates.h"

namespace kvt {

const QList<int>& StandardBaudRates()
{
    // The fixed rates of POSIX termios that serial adapters and modems use.
    static const QList<int> rates{300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800,
                                  921600};
    return rates;
}

} // namespace kvt
