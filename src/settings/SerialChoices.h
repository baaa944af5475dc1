#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// The entries of the port and speed lists of the settings window: the serial ports present on
// the machine with their stable names, and the standard line speeds. A configured port is kept
// whether or not it is present (an unplugged USB modem keeps its port); the list marks it absent
// unless it resolves to a character device (a pseudo-terminal, a udev alias, a link to one).
class SerialChoices {
public:
    // Where udev keeps the stable names of serial devices, one link per device.
    static const QString kStableNamesFolder;

    explicit SerialChoices(QString stableNamesFolder = kStableNamesFolder);
    virtual ~SerialChoices() = default;

    // The machine's serial ports, then the stable names that lead to them.
    virtual QStringList ports() const;
    virtual QStringList baudRates() const;

    bool isPresent(const QString& port) const;
    bool offersBaudRate(const QString& rate) const;

private:
    QString stableNamesFolder_;
};

} // namespace kvt
