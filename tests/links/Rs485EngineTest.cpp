#include "LinkRig.h"

#include "links/Rs485LinkEngine.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QTest>

using namespace kvt;
using namespace kvt::links;

namespace {

using Rs485Rig = LinkRig<Rs485LinkEngine, Rs485Timings>;
constexpr int kLongMs = 60000;

Rs485Timings Fast(int roundPeriodMs = kLongMs)
{
    Rs485Timings timings;
    timings.responseTimeoutMs = 500;
    timings.roundPeriodMs = roundPeriodMs;
    timings.stepMs = 5;
    return timings;
}

QByteArray Packet(const char* head)
{
    return QByteArray(head).leftJustified(kLinkReportSize, '\0');
}

QString HexOf(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString FrameOf(const QString& line)
{
    return line.section(QStringLiteral(" FRAME "), 1);
}

QStringList Slaves(const QStringList& addresses)
{
    QStringList arguments;
    for (const QString& address : addresses)
        arguments << QStringLiteral("--slave") << address;
    return arguments;
}

} // namespace

class Rs485EngineTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryObjectAndSkipsBadAddresses()
    {
        Rs485Rig rig(QStringLiteral("kvt-sim-rs485"), Slaves({"1", "2"}), Fast(200));
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.sim.control(QStringLiteral("packet 1 %1").arg(HexOf(Packet("OBJ01 OK\r\n"))));
        rig.sim.control(QStringLiteral("packet 2 %1").arg(HexOf(Packet("OBJ02 OK\r\n"))));
        const QList<Rs485Peer> peers{{5, QStringLiteral("1"), 0}, {6, QStringLiteral("02"), 0},
                                     {9, QStringLiteral("300"), 0}, {10, QStringLiteral("abc"), 0}};
        rig.engine->setPeers(peers);
        rig.engine->start();

        QTRY_VERIFY_WITH_TIMEOUT(rig.mailbox.waitingReportCount() >= 2, kEventWaitMs);
        const QList<LinkReport> reports = rig.takeReports();
        QCOMPARE(reports[0].object, 5);
        QCOMPARE(reports[0].data, Packet("OBJ01 OK\r\n"));
        QCOMPARE(reports[1].object, 6);
        QCOMPARE(reports[1].data, Packet("OBJ02 OK\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);
        QCOMPARE(FrameOf(rig.sim.waitForLine(QStringLiteral("READ 1 "))), QStringLiteral("01040000004671F8"));
        QCOMPARE(FrameOf(rig.sim.waitForLine(QStringLiteral("READ 2 "))), QStringLiteral("02040000004671CB"));

        // A refresh with the same addresses tells nothing again; a changed bad address is told.
        rig.engine->setPeers(peers);
        QVERIFY(!rig.sim.waitForNthLine(QStringLiteral("READ 1 "), 2, kEventWaitMs).isEmpty());
        QCOMPARE(rig.events.rejected, (QList<QPair<int, QString>>{{9, QStringLiteral("300")}, {10, QStringLiteral("abc")}}));
        QList<Rs485Peer> changed = peers;
        changed[2].adr = QStringLiteral("0");
        rig.engine->setPeers(changed);
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.rejected.size(), 3, kEventWaitMs);
        QCOMPARE(rig.events.rejected.last(), (QPair<int, QString>{9, QStringLiteral("0")}));
    }

    void framesAreWrittenToTheirRegisters()
    {
        Rs485Rig rig(QStringLiteral("kvt-sim-rs485"), Slaves({"1"}), Fast());
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.mailbox.setCommand(QStringLiteral("5"), QStringLiteral("0102030405"));
        rig.mailbox.setSettings(QStringLiteral("5"), QStringLiteral("0A010233"));
        rig.engine->setPeers({{5, QStringLiteral("1"), 0}});
        rig.engine->start();

        const QString command = rig.sim.waitForLine(QStringLiteral("COMMAND 1 "), kEventWaitMs);
        QCOMPARE(command.section(QLatin1Char(' '), 2, 2), QStringLiteral("0102030405"));
        QCOMPARE(FrameOf(command), QStringLiteral("011001000004080005010203040500DB3F"));
        const QString settings = rig.sim.waitForLine(QStringLiteral("SETTINGS 1 "), kEventWaitMs);
        QCOMPARE(FrameOf(settings), QStringLiteral("0110020000030600040A0102330F95"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.outcomes.size(), 2, kEventWaitMs);
        QVERIFY(rig.events.outcomes[0].delivered && rig.events.outcomes[1].delivered);
        QCOMPARE(rig.events.outcomes[1].kind, PendingFrameKind::Settings);
        QVERIFY(rig.mailbox.CommandFrame().isEmpty() && rig.mailbox.SettingsFrame().isEmpty());

        // A refusal is final: the frame is not sent again.
        rig.sim.control(QStringLiteral("exception 1 3 5"));
        rig.mailbox.setCommand(QStringLiteral("5"), QStringLiteral("FF"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.outcomes.size(), 3, kEventWaitMs);
        QVERIFY(!rig.events.outcomes[2].delivered);
        QCOMPARE(rig.sim.linesStartingWith(QStringLiteral("EXCEPTION 1 ")).size(), 1);
        QVERIFY(rig.mailbox.CommandFrame().isEmpty());
    }

    void errorCounterAndLampFollowTheAnswers()
    {
        Rs485Rig rig(QStringLiteral("kvt-sim-rs485"), Slaves({"1"}), Fast(50));
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.engine->setPeers({{5, QStringLiteral("1"), 2}});
        rig.engine->start();
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.errCntHistory(5), QList<int>{0}, kEventWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);

        rig.sim.control(QStringLiteral("exception 1"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.errCntHistory(5), (QList<int>{0, 1, 0}), kEventWaitMs);
        QCOMPARE(rig.events.lamps, QList<bool>{true}); // an exception is an answer: the bus works
        rig.sim.control(QStringLiteral("crc-error 1"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.errCntHistory(5), (QList<int>{0, 1, 0, 1, 0}), kEventWaitMs);
        // The only object's garbled answer made a round without an answer.
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.lamps, (QList<bool>{true, false, true}), kEventWaitMs);

        rig.sim.control(QStringLiteral("unreachable 1"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.events.lampLit(), kEventWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.errCnt(5) >= 3, kEventWaitMs);
        rig.sim.control(QStringLiteral("reachable 1"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);
        QCOMPARE(rig.events.errCnt(5), 0);
    }

    // The console takes one report per tick: while 64 wait, the engine asks for no more, so
    // nothing is lost.
    void fullMailboxHoldsTheReadsBack()
    {
        Rs485Rig rig(QStringLiteral("kvt-sim-rs485"), Slaves({"1"}), Fast(0));
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.engine->setPeers({{5, QStringLiteral("1"), 0}});
        rig.engine->start();
        QTRY_COMPARE_WITH_TIMEOUT(rig.mailbox.waitingReportCount(), LinkMailbox::kReportCapacity, 20000);
        QTest::qWait(300);
        QCOMPARE(rig.sim.linesStartingWith(QStringLiteral("READ 1 ")).size(), LinkMailbox::kReportCapacity);
        rig.mailbox.takeReport();
        QVERIFY(!rig.sim.waitForNthLine(QStringLiteral("READ 1 "), LinkMailbox::kReportCapacity, kEventWaitMs).isEmpty());
        QCOMPARE(rig.mailbox.droppedReports(), 0u);
        QVERIFY(rig.events.dropped.isEmpty());
    }

    // A stop while a slave is silent is acknowledged after that one request: the round is
    // abandoned, the next slave is not asked and the lamp is not judged.
    void stopIsAcknowledgedBetweenRequests()
    {
        Rs485Timings timings = Fast();
        timings.responseTimeoutMs = 2000;
        Rs485Rig rig(QStringLiteral("kvt-sim-rs485"), Slaves({"1", "2", "3"}), timings);
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.sim.control(QStringLiteral("unreachable 2"));
        rig.sim.control(QStringLiteral("unreachable 3"));
        rig.engine->setPeers({{5, QStringLiteral("1"), 0}, {6, QStringLiteral("2"), 0}, {7, QStringLiteral("3"), 0}});
        rig.engine->start();
        QVERIFY(!rig.sim.waitForLine(QStringLiteral("IGNORED 2 "), kEventWaitMs).isEmpty());

        QElapsedTimer stopping;
        stopping.start();
        rig.engine->stop();
        QVERIFY(stopping.elapsed() < kEventWaitMs);
        QVERIFY(!rig.engine->isRunning());
        QVERIFY(!rig.mailbox.Busy());
        QTest::qWait(100);
        QVERIFY(rig.sim.linesStartingWith(QStringLiteral("IGNORED 3 ")).isEmpty());
        QVERIFY(rig.events.lamps.isEmpty());
    }
};

KVT_TEST(Rs485EngineTest)
#include "Rs485EngineTest.moc"
