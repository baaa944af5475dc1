#include "app/ConsoleCore.h"
#include "common/Clock.h"
#include "settings/ui/OptionsForm.h"
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
// GSM modem controller's link, as the start-up wires it, with the port typed into the window,
// against the modem simulator.
class SettingsWindowModemTest : public QObject {
    Q_OBJECT
private slots:
    void connectAndDisconnectFromTheGsmTab()
    {
        kvt::test::SimModemProcess sim({QStringLiteral("--cmgf"), QStringLiteral("1")});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        QTemporaryDir home;
        SystemClock clock;
        kvt::test::RecordingPlayer player;
        kvt::test::RecordingNotices notices;
        kvt::test::FixedSerialChoices choices(QStringList{});
        ConsoleCore core(home.path() + QLatin1Char('/'), clock, player, notices);
        SerialPort& port = core.ports->Port_Modem();

        OptionsForm::Services services;
        services.settings = &core.settings;
        services.connections = &core.connections;
        services.notices = &notices;
        services.choices = &choices;
        OptionsForm window(core.programDirectory, services);
        window.setLinkConnector(Link::Gsm, &core.gsm.connector());

        auto* portList = window.findChild<QComboBox*>(QStringLiteral("Modem_Port_ComboBox"));
        auto* speedList = window.findChild<QComboBox*>(QStringLiteral("ComComboBox1"));
        auto* connectButton = window.findChild<QPushButton*>(QStringLiteral("Modem_Go_Button"));
        auto* disconnectButton = window.findChild<QPushButton*>(QStringLiteral("Modem_Stop_Button"));
        QVERIFY(portList && speedList && connectButton && disconnectButton);
        portList->setEditText(sim.devicePath());
        speedList->setCurrentText(QStringLiteral("115200"));
        QCOMPARE(core.settings->gsm.port, sim.devicePath());

        QTest::mouseClick(connectButton, Qt::LeftButton);
        QVERIFY2(notices.shown.isEmpty(), qPrintable(notices.shown.join(QLatin1Char('\n'))));
        QVERIFY(port.Connected());
        QVERIFY(core.connections.isConnected(Link::Gsm));
        QVERIFY(!connectButton->isEnabled() && disconnectButton->isEnabled());
        QVERIFY(core.timers.isActive(MainTimer::QueryTimer) && core.timers.isActive(MainTimer::ATTimer));
        QVERIFY(sim.transcript().contains(QStringLiteral("-> AT+CMGF=0\\r\\n")));

        QTest::mouseClick(disconnectButton, Qt::LeftButton);
        QVERIFY(!port.Connected());
        QVERIFY(connectButton->isEnabled() && !disconnectButton->isEnabled());
        QVERIFY(core.log.events().last().contains(QStringLiteral("Оператором отключена связь с GSM модемом")));
    }
};

KVT_TEST(SettingsWindowModemTest)
#include "SettingsWindowModemTest.moc"
