#include "support/VirtualClock.h"
#include "gsm/GsmModemLink.h"
#include "gsm/ModemLinkControl.h"
#include "settings/Settings.h"
#include "serial/LinkIndicators.h"
#include "serial/PosixSerialPort.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedSerialPort.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <array>
#include <cerrno>

using namespace kvt;
using kvt::test::ScriptedSerialPort;

namespace {

template <typename Port>
struct Rig {
    template <typename... Args>
    explicit Rig(Args&&... args) : port(std::forward<Args>(args)...)
    {
    }
    Port port;
    test::FakeMainTimers timers;
    ModemEngineState state;
    LinkIndicators indicators;
    test::RecordingEventSink log;
    test::RecordingNotices notices;
    QList<bool> connectedStates;
};

} // namespace

class ModemLinkControlTest : public QObject {
    Q_OBJECT
private slots:
    void failuresAreShownWithDeviceAndSystemError_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no port chosen") << "" << "115200" << "Не выбран COM порт GSM модема.";
        QTest::newRow("missing device") << "/dev/kvt-no-modem" << "115200"
                                        << "Не удалось установить связь с GSM модемом.\nПорт /dev/kvt-no-modem: "
                                           "не удалось открыть: No such file or directory (код 2)";
        QTest::newRow("no speed chosen") << "/dev/null" << ""
                                         << "Не удалось установить связь с GSM модемом.\nПорт /dev/null: "
                                            "недопустимая скорость: Invalid argument (код 22)";
    }
    void failuresAreShownWithDeviceAndSystemError()
    {
        QFETCH(QString, port);
        QFETCH(QString, baud);
        QFETCH(QString, shown);
        VirtualClock clock;
        Rig<PosixSerialPort> rig;
        ModemConnection connection({rig.port, rig.timers, rig.state, rig.indicators, rig.log, clock});
        ModemLinkControl control(connection, rig.port, rig.notices,
                                 [&](bool on) { rig.connectedStates << on; });
        QVERIFY(!control.connectLink(port, baud, false, false));
        QCOMPARE(rig.notices.shown, QStringList{shown});
        QVERIFY(!rig.port.Connected());
        QVERIFY(!rig.connectedStates.contains(true));
        QVERIFY(!rig.timers.isActive(MainTimer::ATTimer));
    }

    void deviceLostDuringTheSwitchLeavesNothingHalfConnected()
    {
        VirtualClock clock;
        Rig<ScriptedSerialPort> rig(clock);
        ModemConnection connection({rig.port, rig.timers, rig.state, rig.indicators, rig.log, clock});
        ModemLinkControl control(connection, rig.port, rig.notices,
                                 [&](bool on) { rig.connectedStates << on; });
        rig.port.failNextIo(EIO);
        QVERIFY(!control.connectLink(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("115200"), true, true));
        QCOMPARE(rig.connectedStates, (QList<bool>{true, false}));
        QVERIFY(!rig.port.Connected());
        QCOMPARE(rig.notices.shown.size(), 1);
        QVERIFY(rig.notices.shown[0].contains(QStringLiteral("(код 5)")));
        QVERIFY(!rig.timers.isActive(MainTimer::QueryTimer));
    }

    // The whole road against the modem simulator on a pseudo-terminal.
    void connectAndDisconnectWithTheSimulator()
    {
        kvt::test::SimModemProcess sim({QStringLiteral("--cmgf"), QStringLiteral("1")});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        SystemClock clock;
        Rig<PosixSerialPort> rig;
        ModemConnection connection({rig.port, rig.timers, rig.state, rig.indicators, rig.log, clock});
        ModemLinkControl control(connection, rig.port, rig.notices,
                                 [&](bool on) { rig.connectedStates << on; });
        QVERIFY(control.connectLink(sim.devicePath(), QStringLiteral("115200"), true, false));
        QVERIFY(rig.port.Connected());
        QCOMPARE(rig.connectedStates, QList<bool>{true});
        QVERIFY(rig.notices.shown.isEmpty());
        QVERIFY(rig.timers.isActive(MainTimer::ATTimer) && rig.timers.isActive(MainTimer::QueryTimer));
        QVERIFY(sim.transcript().contains(QStringLiteral("-> AT+CMGF=0\\r\\n")));
        QVERIFY(sim.control(QStringLiteral("status")).contains(QStringLiteral("cmgf=0")));
        QVERIFY(rig.log.titles().isEmpty()); // the switch was confirmed

        control.disconnectLink();
        QVERIFY(!rig.port.Connected());
        QCOMPARE(rig.connectedStates, (QList<bool>{true, false}));
        QCOMPARE(rig.log.titles(), QStringList{QStringLiteral("Оператором отключена связь с GSM модемом")});
        // The device is free again: a second connect works.
        QVERIFY(control.connectLink(sim.devicePath(), QStringLiteral("115200"), false, false));
        control.disconnectLink();
    }

    // What the GSM tab's buttons run: the link takes the port, speed and DTR/RTS from the
    // settings model and the connected state the buttons show follows it.
    void gsmTabConnectsWithTheSettingsOfTheModel()
    {
        kvt::test::SimModemProcess sim({QStringLiteral("--cmgf"), QStringLiteral("1")});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        SystemClock clock;
        Rig<PosixSerialPort> rig;
        Settings settings;
        settings.update([&](SettingsData& data) {
            data.gsm.port = sim.devicePath();
            data.gsm.baudRate = QStringLiteral("115200");
        });
        LinkConnections connections;
        GsmModemLink link({rig.port, rig.timers, rig.state, rig.indicators, rig.log, clock}, settings, connections,
                          rig.notices);
        QVERIFY(link.connectLink());
        QVERIFY(connections.isConnected(Link::Gsm));
        QVERIFY(rig.port.settings().device.endsWith(sim.devicePath().section(QLatin1Char('/'), -1)));
        QVERIFY(sim.transcript().contains(QStringLiteral("-> AT+CMGF=0\\r\\n")));
        link.disconnectLink();
        QVERIFY(!connections.isConnected(Link::Gsm));
        QVERIFY(!rig.port.Connected());
        QCOMPARE(rig.log.titles(), QStringList{QStringLiteral("Оператором отключена связь с GSM модемом")});

        // A port that is not there: the operator is told, nothing stays connected.
        settings.update([](SettingsData& data) { data.gsm.port = QStringLiteral("/dev/kvt-no-such-port"); });
        QVERIFY(!link.connectLink());
        QVERIFY(!connections.isConnected(Link::Gsm));
        QCOMPARE(rig.notices.shown.size(), 1);
        QVERIFY(rig.notices.shown.first().contains(QStringLiteral("/dev/kvt-no-such-port")));
    }
};

KVT_TEST(ModemLinkControlTest)
#include "ModemLinkControlTest.moc"
