#include "app/ConsoleCore.h"
#include "common/Clock.h"
#include "links/ShortRangeLinkWork.h"
#include "settings/ui/OptionsForm.h"
#include "support/FixedSerialChoices.h"
#include "support/RecordingSinks.h"
#include "support/SimulatorProcess.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

namespace {

struct LinkTab {
    Link link;
    LinkLamp lamp;
    const char* simulator;
    const char* port;
    const char* connect;
    const char* disconnect;
    const char* dtr;
};

LinkTab TabOf(bool radio)
{
    if (radio)
        return {Link::Radio, LinkLamp::Radio, "kvt-sim-radio", "ZigBee_Port_ComboBox", "SpeedButton6", "SpeedButton5",
                "RbCheckBox11"};
    return {Link::Rs485, LinkLamp::Rs485, "kvt-sim-rs485", "ComComboBox3", "SpeedButton1", "SpeedButton2",
            "RbCheckBox13"};
}

// The settings window as the start-up makes it, over a console core on real ports and the
// system clock.
struct SettingsWindowRig {
    QTemporaryDir home;
    SystemClock clock;
    test::RecordingPlayer player;
    test::RecordingNotices notices;
    test::FixedSerialChoices choices{QStringList{}};
    ConsoleCore core{home.path() + QLatin1Char('/'), clock, player, notices};
    std::unique_ptr<OptionsForm> window;

    SettingsWindowRig()
    {
        OptionsForm::Services services;
        services.settings = &core.settings;
        services.connections = &core.connections;
        services.notices = &notices;
        services.choices = &choices;
        window = std::make_unique<OptionsForm>(core.programDirectory, services);
        window->setLinkConnector(Link::Radio, &core.links.radioConnector());
        window->setLinkConnector(Link::Rs485, &core.links.rs485Connector());
    }
    template <typename T> T* find(const char* name) { return window->findChild<T*>(QString::fromLatin1(name)); }
    QStringList titles() const
    {
        QStringList titles;
        for (const QString& line : core.log.events())
            titles << line.section(QStringLiteral(" - "), 1).trimmed();
        return titles;
    }
};

} // namespace

// The operator connects and disconnects the radio and RS-485 links from their tabs of the
// settings window, against the link simulators: the port opens with the chosen device, the
// engine runs and its lamp lights when the modem or adapter answers, QueryTimer runs while the
// link is up; Disconnect logs its two lines, stops the engine, closes the port and puts the
// lamp out.
class SettingsWindowLinksTest : public QObject {
    Q_OBJECT
private slots:
    void connectAndDisconnect_data()
    {
        QTest::addColumn<bool>("radio");
        QTest::newRow("radio") << true;
        QTest::newRow("RS-485") << false;
    }
    void connectAndDisconnect()
    {
        QFETCH(bool, radio);
        const LinkTab tab = TabOf(radio);
        test::SimulatorProcess sim(QString::fromLatin1(tab.simulator), {});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        SettingsWindowRig rig;
        SerialPort& port = radio ? rig.core.ports->Port_ZigBee() : rig.core.ports->Port_RS485();
        auto* connect = rig.find<QPushButton>(tab.connect);
        auto* disconnect = rig.find<QPushButton>(tab.disconnect);
        auto* dtr = rig.find<QCheckBox>(tab.dtr);
        QVERIFY(connect && disconnect && dtr);
        rig.find<QComboBox>(tab.port)->setEditText(sim.devicePath());

        QTest::mouseClick(connect, Qt::LeftButton);
        QVERIFY2(rig.notices.shown.isEmpty(), qPrintable(rig.notices.shown.join(u'\n')));
        QVERIFY(port.Connected());
        QCOMPARE(port.settings().device, sim.devicePath());
        QVERIFY(!connect->isEnabled() && disconnect->isEnabled() && !dtr->isEnabled());
        QVERIFY(rig.core.timers.isActive(MainTimer::QueryTimer));
        QTRY_VERIFY_WITH_TIMEOUT(rig.core.indicators.isOn(tab.lamp), 8000);

        QTest::mouseClick(disconnect, Qt::LeftButton);
        QVERIFY(!port.Connected());
        QVERIFY(connect->isEnabled() && !disconnect->isEnabled() && dtr->isEnabled());
        QVERIFY(!rig.core.indicators.isOn(tab.lamp));
        QCOMPARE(rig.core.indicators.helpContext(tab.lamp), LinkIndicators::kLinkDownMarker);
        QVERIFY(!rig.core.timers.isActive(MainTimer::QueryTimer));
        const links::LinkKind kind = radio ? links::LinkKind::Radio : links::LinkKind::Rs485;
        QCOMPARE(rig.titles().mid(rig.titles().size() - 2),
                 (QStringList{links::ShortRangeLinkWork::ClosingTitle(kind), links::ShortRangeLinkWork::ClosedTitle(kind)}));
        // The engine has left the port: nothing more reaches the simulator.
        sim.collect();
        const int before = sim.lines().size();
        QTest::qWait(1500);
        sim.collect();
        QCOMPARE(sim.lines().size(), before);
    }

    void aPortThatCannotBeOpenedIsToldWithItsDevice()
    {
        SettingsWindowRig rig;
        rig.find<QComboBox>("ZigBee_Port_ComboBox")->setEditText(QStringLiteral("/dev/null"));
        QTest::mouseClick(rig.find<QPushButton>("SpeedButton6"), Qt::LeftButton);
        QCOMPARE(rig.notices.shown.size(), 1);
        QVERIFY(rig.notices.shown[0].startsWith(QStringLiteral("Не удалось установить связь с радиомодемом.")));
        QVERIFY(rig.notices.shown[0].contains(QStringLiteral("/dev/null")));
        QVERIFY(!rig.core.ports->Port_ZigBee().Connected());
        QVERIFY(!rig.core.connections.isConnected(Link::Radio));
        QVERIFY(!rig.core.timers.isActive(MainTimer::QueryTimer));
    }
};

KVT_TEST(SettingsWindowLinksTest)
#include "SettingsWindowLinksTest.moc"
