#include "app/ConsoleArrivalHost.h"

#include "app/ClosableWindows.h"
#include "app/ConsoleCore.h"
#include "app/StatusTreeAdapter.h"
#include "common/ErrorHandler.h"
#include "common/IniFile.h"
#include "common/Errors.h"
#include "common/StatusIcon.h"
#include "forms/CurrentObject.h"
#include "gsm/MessageIntake.h"
#include "objects/ui/ObjectRowLinkCheckPeriod.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"
#include "packets/closing/StatePacketClosing.h"

namespace kvt {

namespace {
constexpr int kNewDataIcon = static_cast<int>(StatusIcon::NewData);
// The history root after a receive: the object's node shows new data, the root its history.
constexpr int kFreshHistoryIcon = 1;
} // namespace

ConsoleArrivalHost::ConsoleArrivalHost(ConsoleCore& core, registry::RegistryTrees& trees, ClosableWindows& windows)
    : core_(core), trees_(trees), windows_(windows)
{
}

void ConsoleArrivalHost::locateObject(int objectCode)
{
    if (!core_.registry.objects().locateByCode(objectCode))
        throw StoreError(QStringLiteral("Объект с кодом %1 не найден").arg(objectCode));
}

void ConsoleArrivalHost::closeWindow(ArrivalWindow window)
{
    windows_.close(window);
}

qint64 ConsoleArrivalHost::storePacket(int objectCode, const QString& stamp, const QString& packet,
                                       const std::function<void(qint64)>& alsoCommit)
{
    locateObject(objectCode);
    return core_.registry.storePacketInHistory(packet, stamp, alsoCommit);
}

void ConsoleArrivalHost::selectObjectNode(int objectCode)
{
    locateObject(objectCode);
    trees_.SelectObjectNode();
}

void ConsoleArrivalHost::playDataReceivedSound()
{
    core_.sounds.playDataReceived();
}

void ConsoleArrivalHost::showNewDataIcons()
{
    StatusTreeAdapter tree(trees_);
    tree.setSelectedIcon(kNewDataIcon);
    tree.setHistoryRootIcon(kNewDataIcon);
    tree.redrawHistory();
}

void ConsoleArrivalHost::writeLinkOfLastContact(int objectCode, const QString& link)
{
    // Every save of a channel file is durable: a file that already names this link is left as
    // it is (the usual case: an object keeps to its link).
    const QString section = QString::number(objectCode);
    for (IniFile* file : {&core_.addresses.zigBee(), &core_.addresses.rs485()}) {
        if (file->readString(section, kLinkOfLastContactKey) != link)
            file->writeString(section, kLinkOfLastContactKey, link);
    }
}

void ConsoleArrivalHost::storeLatestState(int objectCode, const QString& packet, const QString& stamp)
{
    locateObject(objectCode);
    core_.registry.storePacketInObjectRow(packet, stamp);
    // The selection of the object showed the change before this one: the line names this one.
    core_.currentObject.showStateLine(core_.registry.objects().currentRow().Name_O
                                      + gsm::MessageIntake::kLastChangeCaption + stamp);
}

void ConsoleArrivalHost::rebuildHistory(int objectCode)
{
    const QString name = trees_.objectModel().node(trees_.selectedObjectNode()).text;
    trees_.refreshHistory(name, objectCode);
    trees_.historyModel().setRootImage(kFreshHistoryIcon);
    trees_.historyTree()->expandAll();
    trees_.historyTree()->viewport()->update();
}

void ConsoleArrivalHost::applyStatePacket(const QString& packet, const QString& stamp, const QString& name,
                                          const QString& phone)
{
    Guarded([&] { applyInFull(packet, stamp, name, phone); });
}

void ConsoleArrivalHost::applyInFull(const QString& packet, const QString& stamp, const QString& name,
                                     const QString& phone)
{
    // The link-check period goes into the object's row (the table stands on it) at its setting
    // box, so that a control failing after the box does not lose it.
    registry::ObjectRowLinkCheckPeriod linkCheckPeriod(core_.registry.objects());
    const std::optional<StatePacketResult> result = core_.decoder.ApplyStatePacket(
        core_.currentObject.form(), packet, true, stamp, name, phone, &linkCheckPeriod);
    if (!result)
        return;
    StatusTreeAdapter marking(trees_);
    StatePacketClosing closing(core_.programDirectory, core_.clock, core_.log, core_.timers, marking,
                               core_.gsm.notificationModem());
    closing.Run(*result, NotificationSettingsFrom(core_.settings.data()));
}

NotificationSettings NotificationSettingsFrom(const SettingsData& settings)
{
    NotificationSettings out;
    out.forwardActive = settings.transferActive;
    out.forwardPhone = settings.transferPhone;
    out.alarmsActive = settings.alarmsActive;
    out.alarmMethod = settings.alarmMethod == AlarmMethodCall ? AlarmNotificationMethod::Call
                                                              : AlarmNotificationMethod::Sms;
    out.alarmSmsAttempts = settings.alarmCount;
    out.subscribers = settings.subscribers;
    return out;
}

} // namespace kvt
