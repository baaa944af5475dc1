#include "GsmEngineRig.h"
#include "gsm/ModemInterface.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;
using gsm::SubscriberCallOutcome;

Q_DECLARE_METATYPE(kvt::gsm::SubscriberCallOutcome)

namespace {
const QString kPhone = QStringLiteral("79123456789");
const QByteArray kAlerting = "\r\n+CLCC: 1,0,3,0,0,\"+79123456789\",145\r\n\r\nOK\r\n";
const QByteArray kActive = "\r\n+CLCC: 1,0,0,0,0,\"+79123456789\",145\r\n\r\nOK\r\n";
const QByteArray kDialling = "\r\n+CLCC: 1,0,2,0,0,\"+79123456789\",145\r\n\r\nOK\r\n";
const QByteArray kNoCall = "\r\nOK\r\n";

// The modem's answers: the dial acknowledgement, then one answer per "AT+CLCC" in turn; the
// last one repeats.
void Script(ScriptedSerialPort& port, const QByteArray& dialAck, const QList<QByteArray>& readings)
{
    if (!dialAck.isEmpty())
        port.respond("ATD+", dialAck, 300);
    for (qsizetype i = 0; i < readings.size(); ++i)
        port.respond("AT+CLCC", readings[i], 100, i + 1 < readings.size() ? std::optional<int>(1) : std::nullopt);
}

QStringList Transcript(int callReadings, bool hangUp = true)
{
    QStringList commands{modem::VoiceDialCommand(kPhone)};
    for (int i = 0; i < callReadings; ++i)
        commands << modem::kListCalls;
    if (hangUp)
        commands << modem::kHangUp;
    return commands;
}
} // namespace

class CallDialerTest : public QObject {
    Q_OBJECT
private slots:
    void dialObject_data()
    {
        QTest::addColumn<QByteArray>("dialAck");
        QTest::addColumn<QList<QByteArray>>("readings");
        QTest::addColumn<bool>("pickedUp");
        QTest::addColumn<int>("callReadings");
        QTest::newRow("answered at once") << QByteArray("\r\nOK\r\n") << QList<QByteArray>{kActive} << true << 1;
        QTest::newRow("four OK-only readings") << QByteArray("\r\nOK\r\n") << QList<QByteArray>{kNoCall} << false << 4;
        QTest::newRow("three OK-only, alerting, answered")
            << QByteArray("\r\nOK\r\n") << QList<QByteArray>{kNoCall, kNoCall, kNoCall, kAlerting, kActive} << true << 5;
        QTest::newRow("alerting, then busy")
            << QByteArray("\r\nOK\r\n") << QList<QByteArray>{kAlerting, "\r\nBUSY\r\n"} << false << 2;
        QTest::newRow("alerting ten readings") << QByteArray("\r\nOK\r\n") << QList<QByteArray>{kAlerting} << false << 11;
        QTest::newRow("dialling for ever") << QByteArray("\r\nOK\r\n") << QList<QByteArray>{kDialling} << false << 40;
        QTest::newRow("dial refused") << QByteArray("\r\nERROR\r\n") << QList<QByteArray>{} << false << 0;
    }
    void dialObject()
    {
        QFETCH(QByteArray, dialAck);
        QFETCH(QList<QByteArray>, readings);
        QFETCH(bool, pickedUp);
        QFETCH(int, callReadings);
        EngineRig rig;
        Script(rig.port, dialAck, readings);
        QCOMPARE(rig.engine->calls().DialObject(kPhone), pickedUp);
        QCOMPARE(rig.commands(), Transcript(callReadings));
        QVERIFY(rig.threeTimersRunning());
    }

    // A dial reply without OK or ERROR is read on for 130 reads, 100 ms apart.
    void dialAcknowledgementNeverComes()
    {
        EngineRig rig;
        const qint64 start = rig.clock.ticks();
        QVERIFY(!rig.engine->calls().DialObject(kPhone));
        QCOMPARE(rig.commands(), Transcript(0));
        QCOMPARE(rig.port.writes().last().at - start, 500 + 130 * 100);
    }

    void callSubscriber_data()
    {
        QTest::addColumn<QByteArray>("dialAck");
        QTest::addColumn<QList<QByteArray>>("readings");
        QTest::addColumn<SubscriberCallOutcome>("outcome");
        QTest::addColumn<int>("callReadings");
        const QByteArray ok = "\r\nOK\r\n";
        QTest::newRow("answered") << ok << QList<QByteArray>{kDialling, kAlerting, kActive} << SubscriberCallOutcome::Answered
                                  << 3;
        QTest::newRow("busy at once") << QByteArray("\r\nBUSY\r\n") << QList<QByteArray>{} << SubscriberCallOutcome::Busy << 0;
        QTest::newRow("busy while ringing") << ok << QList<QByteArray>{kAlerting, "\r\nBUSY\r\n"}
                                            << SubscriberCallOutcome::Busy << 2;
        QTest::newRow("turned down while ringing") << ok << QList<QByteArray>{kAlerting, kNoCall}
                                                   << SubscriberCallOutcome::Refused << 2;
        // Readings are 500 ms apart: the one 30 s after the first alerting ends the call.
        QTest::newRow("rings for 30 s") << ok << QList<QByteArray>{kAlerting} << SubscriberCallOutcome::NotAnswered << 61;
        QTest::newRow("dial refused") << QByteArray("\r\nERROR\r\n") << QList<QByteArray>{} << SubscriberCallOutcome::Failed
                                      << 0;
        QTest::newRow("gone before ringing") << ok << QList<QByteArray>{kNoCall} << SubscriberCallOutcome::Failed << 1;
    }
    // The alarm call to a subscriber waits for its outcome and hangs up before the next one.
    void callSubscriber()
    {
        QFETCH(QByteArray, dialAck);
        QFETCH(QList<QByteArray>, readings);
        QFETCH(SubscriberCallOutcome, outcome);
        QFETCH(int, callReadings);
        EngineRig rig;
        Script(rig.port, dialAck, readings);
        QCOMPARE(rig.engine->calls().CallSubscriber(kPhone), outcome);
        QCOMPARE(rig.commands(), Transcript(callReadings));
        QVERIFY(rig.threeTimersRunning());
    }

    // Closing the console during a call ends the dialogue at its next wait and hangs up.
    void abortHangsUpTheCall()
    {
        EngineRig rig;
        Script(rig.port, "\r\nOK\r\n", {kAlerting});
        rig.clock.schedule(3000, [&] { rig.state->dialogue.requestAbort(); });
        QVERIFY(!rig.engine->calls().DialObject(kPhone));
        QVERIFY(rig.clock.ticks() < 3100);
        QCOMPARE(rig.commands().last(), QString(modem::kHangUp));
        QVERIFY(!rig.state->dialogue.isRunning());
        QVERIFY(rig.threeTimersRunning());
    }
};

KVT_TEST(CallDialerTest)
#include "CallDialerTest.moc"
