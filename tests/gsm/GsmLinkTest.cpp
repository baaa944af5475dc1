#include "gsm/GsmLinkWork.h"
#include "gsm/ModemConnection.h"
#include "serial/LinkIndicators.h"
#include "serial/PosixSerialPort.h"
#include "settings/LinkConnections.h"
#include "settings/LinkPortConnector.h"
#include "settings/Settings.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedSerialPort.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"
#include "support/VirtualClock.h"

#include <QTest>

#include <cerrno>

using namespace kvt;
using kvt::test::ScriptedSerialPort;

namespace {

// The GSM tab's buttons over a port: the generic link connector with the modem's link work.
template <typename Port>
struct GsmTab {
    template <typename... Args>
    GsmTab(Clock& clock, Args&&... args) : port(std::forward<Args>(args)...), connection({port, timers, state, indicators, log, clock})
    {
        QObject::connect(&connections, &LinkConnections::connectionChanged,
                         [this](Link, bool connected) { shownStates << connected; });
    }
    void choose(const QString& device, const QString& speed)
    {
        settings.update([&](SettingsData& data) {
            data.gsm.port = device;
            data.gsm.baudRate = speed;
        });
    }

    Port port;
    test::FakeMainTimers timers;
    ModemEngineState state;
    LinkIndicators indicators;
    test::RecordingEventSink log;
    ModemConnection connection;
    GsmLinkWork work{connection};
    Settings settings;
    LinkConnections connections;
    test::RecordingNotices notices;
    LinkPortConnector connector{Link::Gsm, port, work, settings, connections, notices};
    QList<bool> shownStates;
};

} // namespace

class GsmLinkTest : public QObject {
    Q_OBJECT
private slots:
    void missingDeviceIsToldWithTheSystemError()
    {
        VirtualClock clock;
        GsmTab<PosixSerialPort> tab(clock);
        tab.choose(QStringLiteral("/dev/kvt-no-modem"), QStringLiteral("115200"));
        QVERIFY(!tab.connector.connectLink());
        QCOMPARE(tab.notices.shown, QStringList{QStringLiteral("Не удалось установить связь с GSM модемом.\nПорт "
                                                               "/dev/kvt-no-modem: не удалось открыть: устройство не "
                                                               "найдено (No such file or directory, код 2)")});
        QVERIFY(!tab.port.Connected());
        QVERIFY(tab.shownStates.isEmpty());
        QVERIFY(!tab.timers.isActive(MainTimer::ATTimer));
    }

    void deviceLostDuringTheSwitchLeavesNothingHalfConnected()
    {
        VirtualClock clock;
        GsmTab<ScriptedSerialPort> tab(clock, clock);
        tab.choose(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("115200"));
        tab.port.failNextIo(EIO);
        QVERIFY(!tab.connector.connectLink());
        QCOMPARE(tab.shownStates, (QList<bool>{true, false}));
        QVERIFY(!tab.port.Connected());
        QCOMPARE(tab.notices.shown.size(), 1);
        QVERIFY(tab.notices.shown[0].contains(QStringLiteral("код 5)")));
        QVERIFY(!tab.timers.isActive(MainTimer::QueryTimer));
    }

    // The whole road against the modem simulator on a pseudo-terminal, with the port and speed
    // of the settings model: no speed chosen connects at the modem port's starting rate.
    void connectAndDisconnectWithTheSimulator()
    {
        kvt::test::SimModemProcess sim({QStringLiteral("--cmgf"), QStringLiteral("1")});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        SystemClock clock;
        GsmTab<PosixSerialPort> tab(clock);
        tab.choose(sim.devicePath(), QString());
        QVERIFY(tab.connector.connectLink());
        QVERIFY(tab.port.Connected());
        QCOMPARE(tab.port.settings().baudRate, 115200);
        QCOMPARE(tab.shownStates, QList<bool>{true});
        QVERIFY(tab.notices.shown.isEmpty());
        QVERIFY(tab.timers.isActive(MainTimer::ATTimer) && tab.timers.isActive(MainTimer::QueryTimer));
        QVERIFY(sim.transcript().contains(QStringLiteral("-> AT+CMGF=0\\r\\n")));
        QVERIFY(sim.control(QStringLiteral("status")).contains(QStringLiteral("cmgf=0")));
        QVERIFY(tab.log.titles().isEmpty()); // the switch was confirmed

        tab.connector.disconnectLink();
        QVERIFY(!tab.port.Connected());
        QCOMPARE(tab.shownStates, (QList<bool>{true, false}));
        QCOMPARE(tab.log.titles(), QStringList{QStringLiteral("Оператором отключена связь с GSM модемом")});
        // The device is free again: a second connect works.
        tab.choose(sim.devicePath(), QStringLiteral("115200"));
        QVERIFY(tab.connector.connectLink());
        tab.connector.disconnectLink();
    }
};

KVT_TEST(GsmLinkTest)
#include "GsmLinkTest.moc"
