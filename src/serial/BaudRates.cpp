#include "serial/BaudRates.h"

#include <QRegularExpression>

#include <utility>

namespace kvt {

namespace {

constexpr std::pair<qint32, speed_t> kRates[] = {
    {110, B110},       {300, B300},       {600, B600},         {1200, B1200},       {2400, B2400},
    {4800, B4800},     {9600, B9600},     {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800},   {500000, B500000},   {576000, B576000},
    {921600, B921600}, {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
};

} // namespace

const QList<qint32>& SupportedBaudRates()
{
    static const QList<qint32> rates = [] {
        QList<qint32> list;
        for (const auto& [rate, constant] : kRates)
            list << rate;
        return list;
    }();
    return rates;
}

std::optional<speed_t> BaudRateConstant(qint32 baudRate)
{
    for (const auto& [rate, constant] : kRates) {
        if (rate == baudRate)
            return constant;
    }
    return std::nullopt;
}

QString ResolveDeviceName(const QString& name)
{
    if (name.contains(QLatin1Char('/')))
        return name;
    static const QRegularExpression comName(QStringLiteral("^COM([1-9][0-9]*)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = comName.match(name);
    if (match.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    return QStringLiteral("/dev/") + name;
}

} // namespace kvt
