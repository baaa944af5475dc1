#include "support/ConsoleProcess.h"
#include "app/DemoConsole.h"
#include "store/DataAlias.h"
#include "support/SampleForms.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>

using namespace kvt;
using namespace kvt::test;
using namespace kvt::test::demo;

namespace {

constexpr int kStepMs = 30000;
const QString kNewTitle = QStringLiteral(" - Получено новое состояние объекта по GSM каналу ");
const QString kStoredTitle = QStringLiteral(" - Найдено в памяти GSM модема новое состояние объекта ");

// One number from the store file of an instance, read through a connection of the test's own.
qint64 StoreCount(const QString& home, const QString& sql)
{
    const QString connection = QStringLiteral("kill-test-probe");
    qint64 count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(home + registry::kDataFolder + QLatin1Char('/') + registry::kStoreFileName);
        if (db.open()) {
            QSqlQuery q(sql, db);
            if (q.next())
                count = q.value(0).toLongLong();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return count;
}

} // namespace

// The console killed (SIGKILL) between reading a state SMS from the modem and deleting it
// there, at a moment seen in the modem simulator's transcript: started again, it stores the
// packet exactly once and then deletes the message.
class ReceiveKillTest : public QObject {
    Q_OBJECT
private slots:
    void killedBetweenReadAndDeleteLosesAndRepeatsNothing_data()
    {
        QTest::addColumn<QString>("killAt");        // a command the console writes
        QTest::addColumn<bool>("storedBeforeKill");
        // (The kill after the store waits for the summary forwarded to the dispatch point: it
        // goes out after the packet is stored and before the message is deleted, and the modem
        // takes its time to confirm it.)
        QTest::newRow("after the read, before the store") << QStringLiteral("-> AT+CMGR=1") << false;
        QTest::newRow("after the store, before the deletion") << QStringLiteral("-> AT+CMGS=") << true;
    }
    void killedBetweenReadAndDeleteLosesAndRepeatsNothing()
    {
        QFETCH(QString, killAt);
        QFETCH(bool, storedBeforeKill);
        SimModemProcess sim(SimModemProcess::FastTimings() + QStringList{QStringLiteral("--submit-delay-ms"), QStringLiteral("20000")});
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        DemoInstance demo;
        QVERIFY2(demo.made(), qPrintable(demo.failure()));
        demo.connectModemTo(sim.devicePath());
        if (storedBeforeKill) {
            demo.setKey(QStringLiteral("GSM_Transfer"), QStringLiteral("Active"), QStringLiteral("1"));
            demo.setKey(QStringLiteral("GSM_Transfer"), QStringLiteral("Phone"), kDispatchPointPhone);
        }
        const QString home = demo.home();
        const QString packetsOfObject = QStringLiteral("SELECT count(*) FROM SMS_ND WHERE Kod_O = 1");
        const qint64 before = StoreCount(home, packetsOfObject);
        QTemporaryDir temp;

        {
            ConsoleProcess first(home, temp.path());
            first.process.start();
            QVERIFY(WaitFor([&] { return sim.transcript().contains(QStringLiteral("-> AT+CNMI=1,1,0,0")); }, kStepMs));
            const QString packet = SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal"));
            QVERIFY(sim.control(QStringLiteral("sms %1 data %2").arg(kPumpingStationPhone, packet)).startsWith("OK"));
            QVERIFY(WaitFor([&] { return sim.transcript().contains(killAt); }, kStepMs));
            first.process.kill();
            QVERIFY(first.process.waitForFinished(5000));
        }
        QVERIFY(!sim.transcript().contains(QStringLiteral("DELETED 1")));
        QCOMPARE(StoreCount(home, packetsOfObject), before + (storedBeforeKill ? 1 : 0));

        ConsoleProcess second(home, temp.path());
        second.process.start();
        // The message is found again in the modem's memory and deleted.
        QVERIFY(WaitFor([&] { return sim.transcript().contains(QStringLiteral("DELETED 1")); }, kStepMs));
        const QString deleted = QStringLiteral("SELECT count(*) FROM Receive_Journal WHERE Deleted = 1");
        QVERIFY(WaitFor([&] { return StoreCount(home, deleted) == 1; }, kStepMs));
        second.signal(SIGTERM);
        QVERIFY(second.process.waitForFinished(20000));

        QCOMPARE(StoreCount(home, packetsOfObject), before + 1);
        QCOMPARE(StoreCount(home, QStringLiteral("SELECT count(*) FROM Receive_Journal")), 1);
        QCOMPARE(StoreCount(home, QStringLiteral("SELECT count(*) FROM Receive_Journal WHERE Outcome = 'stored' AND Deleted = 1")), 1);
        const QString log = ReadEventLog(home);
        QCOMPARE(log.count(kNewTitle) + log.count(kStoredTitle), 1);
        QCOMPARE(log.count(kStoredTitle), storedBeforeKill ? 0 : 1);
        QVERIFY(sim.control(QStringLiteral("status")).contains(QStringLiteral("stored=0/")));
    }
};

KVT_TEST(ReceiveKillTest)
#include "ReceiveKillTest.moc"
