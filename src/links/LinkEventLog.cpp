#include "links/LinkEventLog.h"

#include "common/EventSink.h"
#include "common/IniFile.h"
#include "links/LinkPeers.h"
#include "serial/LinkIndicators.h"

namespace kvt::links {

namespace {

QString OverLink(LinkKind link)
{
    return link == LinkKind::Radio ? QStringLiteral("по радиоканалу") : QStringLiteral("по каналу RS485");
}

} // namespace

QString FrameOutcomeTitle(LinkKind link, PendingFrameKind kind, bool delivered)
{
    const bool command = kind == PendingFrameKind::Command;
    const QString what = command ? QStringLiteral("Команда") : QStringLiteral("Установки");
    const QString verb = command ? QStringLiteral("доставлена") : QStringLiteral("доставлены");
    return QStringLiteral("%1 %2%3 объекту %4")
        .arg(what, delivered ? QString() : QStringLiteral("не "), verb, OverLink(link));
}

LinkEventLog::LinkEventLog(LinkKind link, IniFile& channelFile, LinkIndicators& lamps, EventSink& log,
                           const ObjectNames& names)
    : link_(link), channelFile_(channelFile), lamps_(lamps), log_(log), names_(names)
{
}

QString LinkEventLog::nameOf(int object) const
{
    const QString name = names_.objectName(object);
    return name.isEmpty() ? QStringLiteral("код %1").arg(object) : name;
}

void LinkEventLog::errorCountChanged(int object, int errCnt)
{
    const QString section = QString::number(object);
    if (channelFile_.sectionExists(section))
        channelFile_.writeInteger(section, kErrorCountKey, errCnt);
}

void LinkEventLog::lampChanged(bool lit)
{
    lamps_.setOn(link_ == LinkKind::Radio ? LinkLamp::Radio : LinkLamp::Rs485, lit);
}

void LinkEventLog::frameOutcome(PendingFrameKind kind, int object, bool delivered)
{
    log_.LogEvent(FrameOutcomeTitle(link_, kind, delivered), nameOf(object),
                  delivered ? EventColour::Yellow : EventColour::Red);
}

void LinkEventLog::addressRejected(int object, const QString& address)
{
    const QString title = link_ == LinkKind::Radio
                              ? QStringLiteral("Неверный радиоадрес DH/DL «%1», объект не опрашивается по радиоканалу")
                              : QStringLiteral("Неверный адрес RS-485 «%1» (нужно число от 1 до 247), объект не "
                                               "опрашивается по каналу RS485");
    log_.LogEvent(title.arg(address), nameOf(object), EventColour::Red);
}

void LinkEventLog::reportDropped(int object, quint64 total)
{
    log_.LogEvent(QStringLiteral("Отчёт объекта %1 потерян: очередь отчётов переполнена (потеряно всего: %2)")
                      .arg(OverLink(link_))
                      .arg(total),
                  nameOf(object), EventColour::Red);
}

void LinkEventLog::engineFailed(const QString& reason)
{
    const QString title = link_ == LinkKind::Radio ? QStringLiteral("Связь с радиомодемом прервана: ошибка порта")
                                                   : QStringLiteral("Связь с адаптером RS-485 прервана: ошибка порта");
    log_.LogEvent(title, reason, EventColour::Red);
    if (onFailure_)
        onFailure_(reason);
}

} // namespace kvt::links
