#pragma once

#include <QList>

namespace kvt {

// The line speeds the console's serial layer can set on a port, slowest first.
const QList<int>& StandardBaudRates();

} // namespace kvt
