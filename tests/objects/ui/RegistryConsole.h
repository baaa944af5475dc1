#pragma once

#include "RegistryFakes.h"

#include "common/SupervisionPause.h"
#include "forms/CurrentObject.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectRegistryUi.h"
#include "packets/ApplyStatePacket.h"
#include "store/ChannelAddresses.h"
#include "support/RecordingFormHandlers.h"
#include "support/RecordingSinks.h"
#include "support/RegistryFixture.h"
#include "support/SampleForms.h"
#include "support/ScriptedAnswers.h"

#include <QTest>

namespace kvt::test {

using namespace kvt::registry;

inline const QString kStamp1 = QStringLiteral("01.02.24  10:00");
inline const QString kStamp2 = QStringLiteral("01.02.24  10:05");
// The form every object added here has: "form.kof" in the program directory.
inline const QString kObjectForm = QStringLiteral("PacketForm");

// The registry's part of a main window on a temporary program directory, with the current
// object and the decoder it draws stored packets with.
struct Console {
    RegistryFixture store;
    RecordingHost host;
    RecordingNotices notices;
    ScriptedConfirmation confirmation;
    RecordingEventSink events;
    SupervisionPause pause;
    RecordingHandlers handlers;
    CurrentObject current{store.programDirectory(), notices};
    FakeMainTimers timers;
    StatePacketDecoder decoder{timers, QLatin1Char('.')};
    ChannelAddresses addresses{store.programDirectory()};
    ObjectTreeView objectTree;
    HistoryTreeView historyTree;
    ObjectRegistryUi ui{store.registry(),
                        addresses,
                        &objectTree,
                        &historyTree,
                        RegistryServices{store.programDirectory(), &host, &current, &decoder, &notices, &confirmation,
                                         &events, &pause}};
    // The names of the forms loaded, in order.
    QStringList loadedForms;

    Console()
    {
        WriteTextForm(store.programDirectory() + QStringLiteral("form.kof"), PacketFieldFormText(kObjectForm));
        current.setFormHandlers(handlers);
        QObject::connect(&current, &CurrentObject::formChanged, [this] {
            if (current.form())
                loadedForms << current.form()->name();
        });
    }
    registry::Registry& registry() { return store.registry(); }
    RegistryTrees& trees() { return ui.trees(); }
    ObjectCommands& commands() { return ui.commands(); }
    AddNewObjectForm& window() { return ui.addNewObjectForm(); }

    // The packet the form shows (its first byte, as the test form draws it).
    QString shownPacket() const { return current.form() ? current.form()->control(QStringLiteral("EditPacket"))->text() : QString(); }
    QString secondTab() const { return current.form()->control(QStringLiteral("TabSet1"))->tabs().value(1); }

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
