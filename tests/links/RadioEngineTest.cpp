#include "LinkRig.h"

#include "links/RadioApiFrame.h"
#include "links/RadioLinkEngine.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

using namespace kvt;
using namespace kvt::links;

namespace {

const QString kAddressA = QStringLiteral("0013A200:40A1B2C3");
const QString kAddressB = QStringLiteral("0013A200:40A1B2C4");
const RadioPeer kPeerA{7, QStringLiteral("0013A200"), QStringLiteral("40A1B2C3"), 0};
const RadioPeer kPeerB{8, QStringLiteral("0013a200"), QStringLiteral("40a1b2c4"), 0};
constexpr int kLongMs = 60000;

using RadioRig = LinkRig<RadioLinkEngine, RadioTimings>;

RadioTimings Fast()
{
    RadioTimings timings;
    timings.pollPeriodMs = kLongMs; // each object once, unless a test wants more
    timings.transmitStatusTimeoutMs = 1500;
    timings.modemCheckPeriodMs = kLongMs;
    timings.modemAnswerTimeoutMs = 2000;
    timings.reportWindowMs = 2000;
    timings.stepMs = 5;
    return timings;
}

QByteArray Packet(const char* head)
{
    return QByteArray(head).leftJustified(kLinkReportSize, '.');
}

QString HexOf(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// The hex of the frame at the end of a simulator event line.
QString FrameOf(const QString& line)
{
    return line.section(QStringLiteral(" FRAME "), 1);
}

} // namespace

class RadioEngineTest : public QObject {
    Q_OBJECT
private slots:
    void pollsEveryObjectAndHandsOverItsReports()
    {
        RadioTimings timings = Fast();
        timings.pollPeriodMs = 300;
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {}, timings);
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        QCOMPARE(rig.sim.control(QStringLiteral("object ") + kAddressA), QStringLiteral("OK object"));
        QCOMPARE(rig.sim.control(QStringLiteral("object ") + kAddressB), QStringLiteral("OK object"));
        rig.sim.control(QStringLiteral("packet %1 %2").arg(kAddressA, HexOf(Packet("A1 T1\r"))));
        rig.sim.control(QStringLiteral("packet %1 %2").arg(kAddressA, HexOf(Packet("A2 T2\r"))));
        rig.sim.control(QStringLiteral("packet %1 %2").arg(kAddressB, HexOf(Packet("B1 T1\r"))));
        rig.engine->setPeers({kPeerA, kPeerB});
        rig.engine->start();

        QTRY_VERIFY_WITH_TIMEOUT(rig.mailbox.waitingReportCount() >= 3, kEventWaitMs);
        const QList<LinkReport> reports = rig.takeReports();
        QCOMPARE(reports[0].object, 7);
        QCOMPARE(reports[0].data, Packet("A1 T1\r"));
        QCOMPARE(reports[1].object, 8);
        QCOMPARE(reports[1].data, Packet("B1 T1\r"));
        QCOMPARE(reports[2].object, 7);
        QCOMPARE(reports[2].data, Packet("A2 T2\r"));
        QVERIFY(rig.events.lampLit());

        // The modem checked the checksum and length of every frame; the rest is compared here.
        const QString poll = rig.sim.waitForLine(QStringLiteral("POLL ") + kAddressA);
        QVERIFY(QRegularExpression(QStringLiteral("^7E000F10[0-9A-F]{2}0013A20040A1B2C3FFFE000050[0-9A-F]{2}$"))
                    .match(FrameOf(poll))
                    .hasMatch());
        QVERIFY(rig.sim.linesStartingWith(QStringLiteral("BAD-FRAME")).isEmpty());
        QVERIFY(!rig.sim.waitForNthLine(QStringLiteral("POLL ") + kAddressB, 1, kEventWaitMs).isEmpty());
    }

    void commandAndSettingsAreDeliveredAndTheirFieldsEmptied()
    {
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {QStringLiteral("--object"), kAddressA}, Fast());
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.mailbox.setCommand(QStringLiteral("7"), QStringLiteral("030102"));
        rig.mailbox.setSettings(QStringLiteral("7"), QStringLiteral("0C0A01020000000100000002"));
        rig.engine->setPeers({kPeerA});
        rig.engine->start();

        // Frame ids: 1 the modem check, 2 the command, 3 the settings, before any poll.
        const QString command = rig.sim.waitForLine(QStringLiteral("COMMAND ") + kAddressA, kEventWaitMs);
        QCOMPARE(command.section(QLatin1Char(' '), 2, 2), QStringLiteral("030102"));
        QCOMPARE(FrameOf(command), QStringLiteral("7E001210020013A20040A1B2C3FFFE0000430301029C"));
        const QString settings = rig.sim.waitForLine(QStringLiteral("SETTINGS ") + kAddressA, kEventWaitMs);
        QCOMPARE(FrameOf(settings), QStringLiteral("7E001B10030013A20040A1B2C3FFFE0000530C0A0102000000010000000275"));

        QTRY_COMPARE_WITH_TIMEOUT(rig.events.outcomes.size(), 2, kEventWaitMs);
        QCOMPARE(rig.events.outcomes[0].kind, PendingFrameKind::Command);
        QCOMPARE(rig.events.outcomes[0].object, 7);
        QVERIFY(rig.events.outcomes[0].delivered);
        QCOMPARE(rig.events.outcomes[1].kind, PendingFrameKind::Settings);
        QVERIFY(rig.events.outcomes[1].delivered);
        QVERIFY(rig.mailbox.CommandFrame().isEmpty());
        QVERIFY(rig.mailbox.SettingsFrame().isEmpty());
    }

    void undeliveredFramesCountErrorsAndAreGivenUp()
    {
        RadioTimings timings = Fast();
        timings.pollPeriodMs = 200;
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {QStringLiteral("--object"), kAddressA}, timings);
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.sim.control(QStringLiteral("unreachable ") + kAddressA);
        rig.mailbox.setCommand(QStringLiteral("7"), QStringLiteral("0209"));
        rig.mailbox.setCommand(QStringLiteral("5"), QStringLiteral("0209")); // replaces it: no such object
        rig.mailbox.setSettings(QStringLiteral("7"), QStringLiteral("0A"));
        rig.engine->setPeers({kPeerA});
        rig.engine->start();

        QTRY_COMPARE_WITH_TIMEOUT(rig.events.outcomes.size(), 2, kEventWaitMs);
        QCOMPARE(rig.events.outcomes[0].object, 5);
        QVERIFY(!rig.events.outcomes[0].delivered);
        QCOMPARE(rig.events.outcomes[1].kind, PendingFrameKind::Settings);
        QVERIFY(!rig.events.outcomes[1].delivered);
        QVERIFY(rig.mailbox.SettingsFrame().isEmpty());
        QCOMPARE(rig.sim.linesStartingWith(QStringLiteral("UNDELIVERED ") + kAddressA + QStringLiteral(" 530A")).size(),
                 RadioLinkEngine::kFrameAttempts);
        QCOMPARE(rig.events.errCntHistory(7).mid(0, 3), (QList<int>{1, 2, 3}));

        // A transmit whose status never comes counts too; a delivered one sets the counter to 0.
        rig.sim.control(QStringLiteral("reachable ") + kAddressA);
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.errCnt(7), std::optional<int>(0), kEventWaitMs);
        const qsizetype told = rig.events.errCntHistory(7).size();
        rig.sim.control(QStringLiteral("swallow 1"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.errCntHistory(7).size() >= told + 2, kEventWaitMs);
        QCOMPARE(rig.events.errCntHistory(7).mid(told, 2), (QList<int>{1, 0}));
    }

    void partsAreJoinedOnlyWhenWholeAndInTime()
    {
        RadioTimings timings = Fast();
        timings.reportWindowMs = 300;
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {QStringLiteral("--object"), kAddressA}, timings);
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.engine->setPeers({kPeerA});
        rig.engine->start();
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);
        const QByteArray late = Packet("LATE\r");
        const QByteArray whole = Packet("WHOLE\r");

        // The second part comes after the window: the report is dropped.
        rig.sim.control(QStringLiteral("part %1 1 2 %2").arg(kAddressA, HexOf(late.left(70))));
        QTest::qWait(5 * timings.reportWindowMs);
        rig.sim.control(QStringLiteral("part %1 2 2 %2").arg(kAddressA, HexOf(late.mid(70))));
        // A corrupted frame right before a good report does not cost the report.
        const QByteArray corrupted = radio::Envelope(QByteArray::fromHex("900013A20040A1B2C3000101520102") + whole.left(70));
        rig.sim.control(QStringLiteral("raw %1").arg(HexOf(corrupted.left(corrupted.size() - 1) + char(corrupted.back() ^ 1))));
        rig.sim.control(QStringLiteral("send %1 %2").arg(kAddressA, HexOf(whole)));
        // A part missing: only the next whole report counts.
        rig.sim.control(QStringLiteral("part %1 1 2 %2").arg(kAddressA, HexOf(late.left(70))));
        rig.sim.control(QStringLiteral("send %1 %2").arg(kAddressA, HexOf(whole)));

        QTRY_COMPARE_WITH_TIMEOUT(rig.mailbox.waitingReportCount(), 2, kEventWaitMs);
        const QList<LinkReport> reports = rig.takeReports();
        QCOMPARE(reports[0].data, whole);
        QCOMPARE(reports[1].data, whole);
        QCOMPARE(reports[1].object, 7);
    }

    void lampFollowsTheLocalModem()
    {
        RadioTimings timings = Fast();
        timings.modemCheckPeriodMs = 100;
        timings.modemAnswerTimeoutMs = 300;
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {}, timings);
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.engine->start();
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);
        rig.sim.control(QStringLiteral("silent"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.events.lampLit(), kEventWaitMs);
        QVERIFY(rig.sim.linesStartingWith(QStringLiteral("IGNORED")).size() >= RadioLinkEngine::kMissedAnswersForLampOut);
        rig.sim.control(QStringLiteral("back"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);
        const QString check = rig.sim.waitForLine(QStringLiteral("AT AI"));
        QVERIFY(QRegularExpression(QStringLiteral("^7E000408[0-9A-F]{2}4149[0-9A-F]{2}$")).match(FrameOf(check)).hasMatch());
    }

    // A stop during a transmit that would wait seconds for its status is acknowledged at once,
    // and the abandoned transmit is not counted against the object.
    void stopIsAcknowledgedDuringAnExchange()
    {
        RadioTimings timings = Fast();
        timings.transmitStatusTimeoutMs = kLongMs;
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {QStringLiteral("--object"), kAddressA}, timings);
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.sim.control(QStringLiteral("swallow 100"));
        rig.engine->setPeers({kPeerA});
        rig.engine->start();
        QVERIFY(!rig.sim.waitForLine(QStringLiteral("SWALLOWED"), kEventWaitMs).isEmpty());
        QVERIFY(rig.mailbox.Busy());

        QElapsedTimer stopping;
        stopping.start();
        rig.engine->stop();
        QVERIFY(stopping.elapsed() < kEventWaitMs);
        QVERIFY(!rig.engine->isRunning());
        QVERIFY(!rig.mailbox.Busy() && !rig.mailbox.StopRequested() && !rig.mailbox.StopAcknowledged());
        QCoreApplication::processEvents();
        QVERIFY(rig.events.errorCounts.isEmpty());
        QCOMPARE(rig.events.lamps, (QList<bool>{true, false}));
    }

    void vanishedModemEndsTheEngine()
    {
        RadioRig rig(QStringLiteral("kvt-sim-radio"), {}, Fast());
        QVERIFY2(rig.sim.started(), qPrintable(rig.sim.failure()));
        rig.engine->start();
        QTRY_VERIFY_WITH_TIMEOUT(rig.events.lampLit(), kEventWaitMs);
        rig.sim.control(QStringLiteral("quit"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.events.failures.size(), 1, kEventWaitMs);
        QVERIFY(!rig.engine->isRunning());
        QVERIFY(!rig.mailbox.Busy());
        QVERIFY(!rig.events.lampLit());
    }
};

KVT_TEST(RadioEngineTest)
#include "RadioEngineTest.moc"
