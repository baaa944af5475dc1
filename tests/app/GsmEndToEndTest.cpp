#include "app/DemoConsole.h"
#include "forms/ObjectForm.h"
#include "objects/ui/RegistryTrees.h"
#include "support/SampleForms.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"

#include <QSqlRecord>
#include <QTest>

using namespace kvt;
using namespace kvt::test;
using namespace kvt::test::demo;

namespace {

constexpr int kArrivalMs = 30000;

// Where a written command stands in the simulator's transcript, from `from` on; -1 when absent.
qsizetype CommandAt(const QString& transcript, const QString& command, qsizetype from = 0)
{
    return transcript.indexOf(QStringLiteral("-> ") + command, from);
}

// The demo's pumping station (object 1) as the store names it.
QString PumpingStation(const InProcessConsole& console)
{
    return console.query(QStringLiteral("SELECT Name_O FROM Object_ND WHERE Kod_O = 1")).value(0);
}

int selectedIcon(GeneralForm& window)
{
    return window.trees().objectModel().node(window.trees().selectedObjectNode()).imageIndex;
}

} // namespace

// The console against its own modem simulator over a pseudo-terminal, in real time: what an
// object's SMS leaves in the store, on the screen, in the log, in the books and in the modem.
class GsmEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void stateSmsIsStoredDrawnLoggedAndDeleted()
    {
        SimModemProcess sim;
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        DemoInstance demo;
        QVERIFY2(demo.made(), qPrintable(demo.failure()));
        demo.connectModemTo(sim.devicePath());
        demo.setKey(QStringLiteral("GSM_Transfer"), QStringLiteral("Active"), QStringLiteral("1"));
        demo.setKey(QStringLiteral("GSM_Transfer"), QStringLiteral("Phone"), kDispatchPointPhone);
        InProcessConsole console(demo.home());
        QTRY_VERIFY_WITH_TIMEOUT(sim.transcript().contains(QStringLiteral("-> AT+CNMI=1,1,0,0")), kArrivalMs);

        const QString packet = SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("manual"));
        QVERIFY(sim.control(QStringLiteral("sms %1 data %2").arg(kPumpingStationPhone, packet)).startsWith("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(sim.transcript().contains(QStringLiteral("DELETED 1")), kArrivalMs);

        // Stored in SMS_ND and as the object's latest state, noted in the receive journal.
        const QStringList newest = console.query(QStringLiteral(
            "SELECT Kod_O, substr(Text_SMS, 1, 40), length(CAST(Text_SMS AS BLOB)) FROM SMS_ND ORDER BY Kod_SMS DESC LIMIT 1"));
        QCOMPARE(newest, QStringList{QStringLiteral("1|%1|512").arg(packet)});
        QCOMPARE(console.query(QStringLiteral("SELECT Outcome, Deleted FROM Receive_Journal")),
                 QStringList{QStringLiteral("stored|1")});
        QVERIFY(console.query(QStringLiteral("SELECT Time_SMS FROM Object_ND WHERE Kod_O = 1")).value(0).startsWith(packet));
        // The link-check period of the packet's marked setting box.
        QCOMPARE(console.query(QStringLiteral("SELECT Proverca_S FROM Object_ND WHERE Kod_O = 1")),
                 QStringList{QStringLiteral("30")});

        // Drawn: the object selected with new data, its form showing the packet.
        GeneralForm& window = console.window();
        QCOMPARE(window.trees().objectModel().node(window.trees().selectedObjectNode()).text, PumpingStation(console));
        QCOMPARE(selectedIcon(window), 3);
        QCOMPARE(window.trees().historyModel().root().imageIndex, 1);
        ObjectForm* form = console.core().currentObject.form();
        QVERIFY(form);
        QVERIFY(form->control(QStringLiteral("PanelState"))->caption().contains(QStringLiteral("Ручной режим")));
        QCOMPARE(console.player().played.count(QStringLiteral("ReciveData")), 1);

        // Logged, the link of last contact recorded, and gone from the modem's memory.
        QVERIFY(demo.reportLog().contains(QStringLiteral(" - Получено новое состояние объекта по GSM каналу ") + PumpingStation(console)));
        for (const QString& file : {QStringLiteral("ZigBee.ini"), QStringLiteral("RS485.ini")})
            QCOMPARE(IniFile(demo.home() + file).readString(QStringLiteral("1"), QStringLiteral("SVYAZ")), QStringLiteral("GSM"));
        QVERIFY(sim.control(QStringLiteral("status")).contains(QStringLiteral("stored=0/")));
        // Forwarded once to the higher dispatch point, before the message was deleted.
        const QString transcript = sim.transcript();
        QCOMPARE(transcript.count(QStringLiteral("SENT ") + kDispatchPointPhone), 1);
        QVERIFY(transcript.indexOf(QStringLiteral("SENT ") + kDispatchPointPhone) < transcript.indexOf(QStringLiteral("DELETED 1")));
    }

    void alarmSmsMarksTheObjectAndCallsEachSubscriberInTurn()
    {
        SimModemProcess sim;
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        DemoInstance demo;
        QVERIFY2(demo.made(), qPrintable(demo.failure()));
        demo.connectModemTo(sim.devicePath());
        const QStringList subscribers{QStringLiteral("79160000001"), QStringLiteral("79160000002"),
                                      QStringLiteral("79160000003")};
        demo.setKey(QStringLiteral("GSM_Alarms"), QStringLiteral("Active"), QStringLiteral("1"));
        demo.setKey(QStringLiteral("GSM_Alarms"), QStringLiteral("Type"), QStringLiteral("0"));
        for (int i = 0; i < subscribers.size(); ++i)
            demo.setKey(QStringLiteral("GSM_Alarms"), QStringLiteral("Phone%1").arg(i), subscribers[i]);
        QVERIFY(sim.control(QStringLiteral("call-outcome %1 busy").arg(subscribers[1])).startsWith("OK"));
        InProcessConsole console(demo.home());
        QTRY_VERIFY_WITH_TIMEOUT(sim.transcript().contains(QStringLiteral("-> AT+CNMI=1,1,0,0")), kArrivalMs);

        const QString packet = SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("alarm"));
        QVERIFY(sim.control(QStringLiteral("sms %1 data %2").arg(kPumpingStationPhone, packet)).startsWith("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(sim.transcript().contains(QStringLiteral("DELETED 1")), 2 * kArrivalMs);

        // Each subscriber is dialled only after the call to the one before was hung up.
        const QString transcript = sim.transcript();
        qsizetype at = 0;
        for (const QString& subscriber : subscribers) {
            const qsizetype dialled = CommandAt(transcript, QStringLiteral("ATD+%1;").arg(subscriber), at);
            QVERIFY2(dialled >= 0, qPrintable(subscriber));
            QCOMPARE(transcript.count(QStringLiteral("-> ATD+%1;").arg(subscriber)), 1);
            at = CommandAt(transcript, QStringLiteral("ATH"), dialled);
            QVERIFY2(at >= 0, qPrintable(subscriber));
        }
        const QString log = demo.reportLog();
        QCOMPARE(log.count(QStringLiteral("Отправка аварийного уведомления в виде звонка на номер")), 3);
        QCOMPARE(log.count(QStringLiteral("Аварийное уведомление принято абонентом")), 2);
        QCOMPARE(log.count(QStringLiteral("Аварийное уведомление не принято абонентом ") + subscribers[1]), 1);
        QCOMPARE(log.count(QStringLiteral("Получены аварийные данные от объекта  ") + PumpingStation(console)), 1);

        // One record in each book, the object and the history root marked in alarm, the alarm
        // sound running.
        for (const QString& book : {QStringLiteral("SmsBook"), QStringLiteral("AvariBook")})
            QCOMPARE(demo.bookLines(book).join(QString()).count(QStringLiteral("Получена от ") + PumpingStation(console)), 1);
        GeneralForm& window = console.window();
        QCOMPARE(selectedIcon(window), 4);
        QCOMPARE(window.trees().historyModel().root().imageIndex, 4);
        QVERIFY(console.core().timers.isActive(MainTimer::Timer_Avari_Snd));
    }
};

KVT_TEST(GsmEndToEndTest)
#include "GsmEndToEndTest.moc"
