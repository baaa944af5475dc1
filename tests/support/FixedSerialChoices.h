#pragma once

#include "settings/SerialChoices.h"

#include <QStringList>

namespace kvt::test {

// The port list of a machine with the given serial ports (two adapters unless told otherwise);
// the speeds are the real list.
class FixedSerialChoices : public SerialChoices {
public:
    explicit FixedSerialChoices(QStringList ports = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")})
        : ports_(std::move(ports))
    {
    }
    QStringList ports() const override { return ports_; }

private:
    QStringList ports_;
};

} // namespace kvt::test
