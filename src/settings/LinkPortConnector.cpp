#include "settings/LinkPortConnector.h"

#include "common/Errors.h"
#include "common/OperatorNotices.h"
#include "serial/LinkPorts.h"
#include "settings/LinkWork.h"

namespace kvt {

namespace {

// The link as the notices name it: "... COM порт <link>." and "... связь с <link>.".
struct LinkWords {
    QString genitive;
    QString instrumental;
};

LinkWords wordsFor(Link link)
{
    switch (link) {
    case Link::Gsm: return {QStringLiteral("GSM модема"), QStringLiteral("GSM модемом")};
    case Link::Radio: return {QStringLiteral("радиомодема"), QStringLiteral("радиомодемом")};
    case Link::Rs485: return {QStringLiteral("адаптера RS-485"), QStringLiteral("адаптером RS-485")};
    }
    return {};
}

} // namespace

LinkPortConnector::LinkPortConnector(Link link, SerialPort& port, LinkWork& work, const Settings& settings,
                                     LinkConnections& connections, OperatorNotices& notices)
    : link_(link), port_(port), work_(work), settings_(settings), connections_(connections), notices_(notices)
{
}

QString LinkPortConnector::NoPortText(Link link)
{
    return QStringLiteral("Не выбран COM порт %1.").arg(wordsFor(link).genitive);
}

QString LinkPortConnector::FailureText(Link link, const PortError& error)
{
    return QStringLiteral("Не удалось установить связь с %1.\n").arg(wordsFor(link).instrumental) + error.message();
}

qint32 LinkPortConnector::StartingBaudRate(Link link)
{
    switch (link) {
    case Link::Gsm: return LinkPorts::kModemInitialBaudRate;
    case Link::Radio: return LinkPorts::kZigBeeInitialBaudRate;
    case Link::Rs485: return LinkPorts::kRs485InitialBaudRate;
    }
    return LinkPorts::kModemInitialBaudRate;
}

bool LinkPortConnector::connectLink()
{
    const LinkSettings& chosen = settings_->link(link_);
    const QString device = chosen.port.trimmed();
    if (device.isEmpty()) {
        notices_.notice(NoPortText(link_));
        return false;
    }
    // A speed that is not a number is refused by the port like any rate it cannot set.
    const QString speed = chosen.baudRate.trimmed();
    const qint32 baudRate = speed.isEmpty() ? StartingBaudRate(link_) : speed.toInt();
    try {
        work_.start({device, baudRate, chosen.dtr, chosen.rts}, [this] { connections_.setConnected(link_, true); });
        return true;
    } catch (const PortError& error) {
        // The port may have opened and failed while the work started (a device that vanished):
        // leave nothing half connected.
        port_.Close();
        connections_.setConnected(link_, false);
        notices_.notice(FailureText(link_, error));
        return false;
    }
}

void LinkPortConnector::disconnectLink()
{
    work_.stop([this] { connections_.setConnected(link_, false); });
}

} // namespace kvt
