#include "links/ShortRangeLinkWork.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "links/LinkEngine.h"
#include "serial/LinkIndicators.h"

namespace kvt::links {

namespace {

LinkLamp LampOf(LinkKind link)
{
    return link == LinkKind::Radio ? LinkLamp::Radio : LinkLamp::Rs485;
}

} // namespace

QString ShortRangeLinkWork::OpenedTitle(LinkKind link)
{
    return link == LinkKind::Radio ? QStringLiteral("Открыт порт радиомодема")
                                   : QStringLiteral("Открыт порт адаптера RS-485");
}

QString ShortRangeLinkWork::ClosingTitle(LinkKind link)
{
    return link == LinkKind::Radio ? QStringLiteral("Отключение радиомодема...")
                                   : QStringLiteral("Закрытие порта адаптера RS-485");
}

QString ShortRangeLinkWork::ClosedTitle(LinkKind link)
{
    return link == LinkKind::Radio ? QStringLiteral("Оператором отключена связь с радиомодемом")
                                   : QStringLiteral("Оператором закрыт порт адаптера RS-485");
}

void ShortRangeLinkWork::start(const PortSettings& settings, const std::function<void()>& opened)
{
    // The objects first: a store that cannot be read leaves the port closed.
    parts_.handOverPeers();
    parts_.port.setSettings(settings);
    parts_.port.Open();
    if (opened)
        opened();
    parts_.engine.start();
    parts_.log.LogEvent(OpenedTitle(parts_.link), settings.device, EventColour::White);
}

void ShortRangeLinkWork::stop(const std::function<void()>& closed)
{
    parts_.log.LogEvent(ClosingTitle(parts_.link), QString(), EventColour::White);
    parts_.engine.stop();
    parts_.port.Close();
    if (closed)
        closed();
    parts_.log.LogEvent(ClosedTitle(parts_.link), QString(), EventColour::White);
    WaitPumping(parts_.clock, kLampOutPauseMs);
    parts_.lamps.setOn(LampOf(parts_.link), false);
}

void ShortRangeLinkWork::shutDown()
{
    if (!parts_.engine.isRunning() && !parts_.port.Connected())
        return;
    parts_.engine.stop();
    parts_.port.Close();
    parts_.lamps.setOn(LampOf(parts_.link), false);
}

} // namespace kvt::links
