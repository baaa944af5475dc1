#pragma once

#include "RegistryFakes.h"
#include "support/RegistryFixture.h"

#include "common/SupervisionPause.h"
#include "store/ChannelAddresses.h"
#include "objects/ui/ObjectRegistryUi.h"

#include <QFile>
#include <QTest>

namespace kvt::test {

using namespace kvt::registry;

inline const QString kStamp1 = QStringLiteral("01.02.24  10:00");
inline const QString kStamp2 = QStringLiteral("01.02.24  10:05");

// The registry's part of a main window on a temporary program directory.
struct Console {
    RegistryFixture store;
    RecordingConsole screen;
    RecordingNotices notices;
    ScriptedConfirmation confirmation;
    RecordingEventSink events;
    SupervisionPause pause;
    ChannelAddresses addresses{store.programDirectory()};
    ObjectTreeView objectTree;
    HistoryTreeView historyTree;
    ObjectRegistryUi ui{store.registry(), addresses, &objectTree, &historyTree,
                        RegistryServices{store.programDirectory(), &screen, &screen, &notices, &confirmation, &events, &pause}};

    Console()
    {
        QFile(store.programDirectory() + QStringLiteral("form.kof")).open(QIODevice::WriteOnly);
    }
    registry::Registry& registry() { return store.registry(); }
    RegistryTrees& trees() { return ui.trees(); }
    ObjectCommands& commands() { return ui.commands(); }
    AddNewObjectForm& window() { return ui.addNewObjectForm(); }

    void addObject(ObjectCode code, const QString& name, const QString& timeSms = {})
    {
        store.addObject(code, name);
        if (!timeSms.isEmpty())
            registry().objects().editCurrent([&](ObjectRecord& r) {
                r.Time_SMS = timeSms;
                r.Date_SMS = kStamp2;
                r.Time_Ring = QStringLiteral("1.2.2024  9:30");
            });
    }
    void storePacket(ObjectCode code, const QString& packet, const QString& stamp)
    {
        QVERIFY(registry().objects().locateByCode(code));
        registry().StoreStatePacket(packet, stamp);
    }
    QModelIndex node(const QString& name) { return trees().objectModel().findText(name); }
    QStringList objectNodes()
    {
        QStringList texts;
        for (int row = 0; row < trees().objectModel().childCount(); ++row)
            texts << trees().objectModel().child(row).text;
        return texts;
    }
    QStringList historyNodes()
    {
        QStringList texts;
        for (int row = 0; row < trees().historyModel().childCount(); ++row)
            texts << trees().historyModel().child(row).text;
        return texts;
    }
};

} // namespace kvt::test
