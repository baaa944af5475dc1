#include "settings/SerialChoices.h"

#include "serial/BaudRates.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace kvt {

namespace {
const QString kDeviceFolder = QStringLiteral("/dev/");
}

QStringList SerialChoices::ports() const
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.append(info.systemLocation());
    names.sort();
    return names;
}

QStringList SerialChoices::baudRates() const
{
    QStringList rates;
    for (int rate : StandardBaudRates())
        rates.append(QString::number(rate));
    return rates;
}

bool SerialChoices::offersPort(const QString& port) const
{
    if (port.isEmpty())
        return false;
    if (ports().contains(port))
        return true;
    return port.startsWith(kDeviceFolder) && QFileInfo::exists(port);
}

bool SerialChoices::offersBaudRate(const QString& rate) const
{
    return !rate.isEmpty() && baudRates().contains(rate);
}

} // namespace kvt
