#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <termios.h>

namespace kvt {

// The rates the termios layer can set, slowest first.
const QList<qint32>& SupportedBaudRates();

// The classic rates among them, 300 to 921600, slowest first: what the speed lists of the
// settings window offer.
const QList<qint32>& StandardBaudRates();

// The termios speed constant of a rate, or nothing when the rate is not a standard one.
std::optional<speed_t> BaudRateConstant(qint32 baudRate);

// The device file of a port name: a path stays as it is, "COM<n>" names the n-th serial port
// (/dev/ttyS<n-1>), any other bare name is looked up under /dev ("ttyUSB0" -> "/dev/ttyUSB0").
QString ResolveDeviceName(const QString& name);

} // namespace kvt
