#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// The entries of the port and speed lists of the settings window: the serial ports present on
// the machine and the standard line speeds. A stored or typed port is taken when it is one of
// the ports present or names a device file that exists (a pseudo-terminal, say).
class SerialChoices {
public:
    virtual ~SerialChoices() = default;

    virtual QStringList ports() const;
    virtual QStringList baudRates() const;

    bool offersPort(const QString& port) const;
    bool offersBaudRate(const QString& rate) const;
};

} // namespace kvt
