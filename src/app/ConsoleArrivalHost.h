#pragma once

#include "packets/StatePacketArrival.h"
#include "packets/closing/NotificationSettings.h"

namespace kvt {

class ClosableWindows;
struct ConsoleCore;
struct SettingsData;
struct StatePacketResult;
namespace registry {
class RegistryTrees;
}

// The console's side of the arrival of a state packet, the same for every link (the GSM
// receive dispatcher, the radio and RS-485 receive steps): the windows closed with their close
// handling, both storage steps in the store (with what must commit alongside the packet), the
// object's node selected, the data-received sound, the new-data icons, the link of last contact
// in both channel files, the history tree rebuilt, and the packet decoded in full on the form
// of the current object, followed by its closing steps (books, forwarding, alarm, notifications
// through the GSM modem).
//
// Every step that works on the object's row finds it by its code first, so the row the objects
// table stands on at the end is the packet's object.
class ConsoleArrivalHost final : public StatePacketArrivalHost {
public:
    ConsoleArrivalHost(ConsoleCore& core, registry::RegistryTrees& trees, ClosableWindows& windows);

    void closeWindow(ArrivalWindow window) override;
    qint64 storePacket(int objectCode, const QString& stamp, const QString& packet,
                       const std::function<void(qint64 packetCode)>& alsoCommit) override;
    void selectObjectNode(int objectCode) override;
    void playDataReceivedSound() override;
    void showNewDataIcons() override;
    void writeLinkOfLastContact(int objectCode, const QString& link) override;
    // Also shows the object's last change line (Label17) with this packet's stamp.
    void storeLatestState(int objectCode, const QString& packet, const QString& stamp) override;
    void rebuildHistory(int objectCode) override;
    // A packet that cannot be decoded (a form whose configuration is not the number it must
    // be) goes to the global error handler: the packet stays stored and its arrival ends as
    // usual, without the closing steps.
    void applyStatePacket(const QString& packet, const QString& stamp, const QString& name,
                          const QString& phone) override;

    static inline const QString kLinkOfLastContactKey = QStringLiteral("SVYAZ");

private:
    void locateObject(int objectCode);
    void applyInFull(const QString& packet, const QString& stamp, const QString& name, const QString& phone);

    ConsoleCore& core_;
    registry::RegistryTrees& trees_;
    ClosableWindows& windows_;
};

// The settings of the closing steps as the settings model holds them now: the first item of
// the method list ("Дозвон") calls, any other item and no selection send SMS reports.
NotificationSettings NotificationSettingsFrom(const SettingsData& settings);

} // namespace kvt
