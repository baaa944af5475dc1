#include "common/Clock.h"
#include "gsm/GsmModemLink.h"
#include "serial/LinkIndicators.h"
#include "serial/PosixSerialPort.h"
#include "settings/LinkConnections.h"
#include "settings/ui/OptionsForm.h"
#include "settings/SerialChoices.h"
#include "settings/Settings.h"
#include "support/FixedSerialChoices.h"
#include "support/RecordingSinks.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

// The operator connects the GSM modem from the settings window: the GSM tab's buttons run the
// modem link with the port typed into the window, against the modem simulator.
class SettingsWindowModemTest : public QObject {
    Q_OBJECT
private slots:
    void connectAndDisconnectFromTheGsmTab()
    {
        kvt::test::SimModemProcess sim({QStringLiteral("--cmgf"), QStringLiteral("1")});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        QTemporaryDir home;
        SystemClock clock;
        PosixSerialPort port;
        kvt::test::FakeMainTimers timers;
        ModemEngineState state;
        LinkIndicators indicators;
        kvt::test::RecordingEventSink log;
        kvt::test::RecordingNotices notices;
        kvt::test::FixedSerialChoices choices(QStringList{});
        Settings settings;
        LinkConnections connections;
        GsmModemLink link({port, timers, state, indicators, log, clock}, settings, connections,
                          notices);

        OptionsForm::Services services;
        services.settings = &settings;
        services.connections = &connections;
        services.notices = &notices;
        services.choices = &choices;
        OptionsForm window(home.path() + QLatin1Char('/'), services);
        window.setLinkConnector(Link::Gsm, &link);

        auto* portList = window.findChild<QComboBox*>(QStringLiteral("Modem_Port_ComboBox"));
        auto* speedList = window.findChild<QComboBox*>(QStringLiteral("ComComboBox1"));
        auto* connectButton = window.findChild<QPushButton*>(QStringLiteral("Modem_Go_Button"));
        auto* disconnectButton = window.findChild<QPushButton*>(QStringLiteral("Modem_Stop_Button"));
        QVERIFY(portList && speedList && connectButton && disconnectButton);
        portList->setEditText(sim.devicePath());
        speedList->setCurrentText(QStringLiteral("115200"));
        QCOMPARE(settings->gsm.port, sim.devicePath());

        QTest::mouseClick(connectButton, Qt::LeftButton);
        QVERIFY2(notices.shown.isEmpty(), qPrintable(notices.shown.join(QLatin1Char('\n'))));
        QVERIFY(port.Connected());
        QVERIFY(connections.isConnected(Link::Gsm));
        QVERIFY(!connectButton->isEnabled() && disconnectButton->isEnabled());
        QVERIFY(timers.isActive(MainTimer::QueryTimer) && timers.isActive(MainTimer::ATTimer));
        QVERIFY(sim.transcript().contains(QStringLiteral("-> AT+CMGF=0\\r\\n")));

        QTest::mouseClick(disconnectButton, Qt::LeftButton);
        QVERIFY(!port.Connected());
        QVERIFY(connectButton->isEnabled() && !disconnectButton->isEnabled());
        QCOMPARE(log.titles(), QStringList{QStringLiteral("Оператором отключена связь с GSM модемом")});
    }
};

KVT_TEST(SettingsWindowModemTest)
#include "SettingsWindowModemTest.moc"
