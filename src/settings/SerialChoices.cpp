#include "settings/SerialChoices.h"

#include "serial/BaudRates.h"

#include <QDir>
#include <QFile>
#include <QSerialPortInfo>

#include <sys/stat.h>

namespace kvt {

const QString SerialChoices::kStableNamesFolder = QStringLiteral("/dev/serial/by-id");

namespace {
const QString kDeviceFolder = QStringLiteral("/dev/");

// A path, or a bare device name under /dev, that leads (through any links) to a character device.
bool IsCharacterDevice(const QString& port)
{
    const QString path = port.contains(QLatin1Char('/')) ? port : kDeviceFolder + port;
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}
} // namespace

SerialChoices::SerialChoices(QString stableNamesFolder) : stableNamesFolder_(std::move(stableNamesFolder)) {}

QStringList SerialChoices::ports() const
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.append(info.systemLocation());
    names.sort();
    QStringList stable;
    const QDir folder(stableNamesFolder_);
    for (const QString& name : folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = folder.filePath(name);
        if (IsCharacterDevice(path))
            stable.append(path);
    }
    return names + stable;
}

QStringList SerialChoices::baudRates() const
{
    QStringList rates;
    for (int rate : StandardBaudRates())
        rates.append(QString::number(rate));
    return rates;
}

bool SerialChoices::isPresent(const QString& port) const
{
    return !port.isEmpty() && (ports().contains(port) || IsCharacterDevice(port));
}

bool SerialChoices::offersBaudRate(const QString& rate) const
{
    return !rate.isEmpty() && baudRates().contains(rate);
}

} // namespace kvt
