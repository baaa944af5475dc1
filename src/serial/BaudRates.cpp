#include "serial/BaudRates.h"

#include <QRegularExpression>


namespace kvt {

namespace {

struct Rate {
    qint32 rate;
    speed_t constant;
    bool standard; // one of the classic rates that serial adapters and modems use
};

constexpr Rate kRates[] = {
    {110, B110, false},         {300, B300, true},          {600, B600, true},
    {1200, B1200, true},        {2400, B2400, true},        {4800, B4800, true},
    {9600, B9600, true},        {19200, B19200, true},      {38400, B38400, true},
    {57600, B57600, true},      {115200, B115200, true},    {230400, B230400, true},
    {460800, B460800, true},    {500000, B500000, false},   {576000, B576000, false},
    {921600, B921600, true},    {1000000, B1000000, false}, {1152000, B1152000, false},
    {1500000, B1500000, false}, {2000000, B2000000, false},
};

QList<qint32> ratesWhere(bool onlyStandard)
{
    QList<qint32> list;
    for (const Rate& entry : kRates) {
        if (entry.standard || !onlyStandard)
            list << entry.rate;
    }
    return list;
}

} // namespace

const QList<qint32>& SupportedBaudRates()
{
    static const QList<qint32> rates = ratesWhere(false);
    return rates;
}

const QList<qint32>& StandardBaudRates()
{
    static const QList<qint32> rates = ratesWhere(true);
    return rates;
}

std::optional<speed_t> BaudRateConstant(qint32 baudRate)
{
    for (const Rate& entry : kRates) {
        if (entry.rate == baudRate)
            return entry.constant;
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
