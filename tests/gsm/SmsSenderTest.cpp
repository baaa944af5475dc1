#include "GsmEngineRig.h"
#include "gsm/ModemInterface.h"
#include "gsm/PduConv.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;
using Start = FakeMainTimers::Start;

namespace {
const QString kPhone = QStringLiteral("79123456789");
const QByteArray kAccepted = "\r\n+CMGS: 17\r\n\r\nOK\r\n";
constexpr int kReadMs = 200;
} // namespace

class SmsSenderTest : public QObject {
    Q_OBJECT
private slots:
    void senders_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("pdu");
        QTest::addColumn<int>("promptMs");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("replyRead"); // the read the reply arrives for; 0: none comes
        QTest::addColumn<int>("reads");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<int>("unread");
        const QString text200 = QString(200, QLatin1Char('a'));
        const QString data = EncodeDataSubmitPdu(u"0102", kPhone);
        const QByteArray tail(30, 'x');
        QTest::newRow("data, at once") << "data" << "0102" << data << 550 << kAccepted + tail << 1 << 1 << true << 29;
        QTest::newRow("data, in the 70th read") << "data" << "0102" << data << 550 << kAccepted << 70 << 70 << true << 0;
        QTest::newRow("data, never") << "data" << "0102" << data << 550 << QByteArray() << 0 << 70 << false << 0;
        QTest::newRow("octet text, extra read") << "octet" << "Obj: ok" << EncodeDataSubmitPdu(BytesToHex(u"Obj: ok"), kPhone)
                                                << 350 << kAccepted + tail << 3 << 3 << true << 9;
        QTest::newRow("text of 200 characters") << "text" << text200 << EncodeSubmitPdu(text200.left(160), kPhone) << 350
                                                << kAccepted << 2 << 2 << true << 0;
        QTest::newRow("text, refused") << "text" << "alarm" << EncodeSubmitPdu(u"alarm", kPhone) << 350
                                       << QByteArray("\r\n+CMS ERROR: 500\r\n") << 4 << 4 << false << 0;
        QTest::newRow("text, never") << "text" << "alarm" << EncodeSubmitPdu(u"alarm", kPhone) << 350 << QByteArray() << 0
                                     << 100 << false << 0;
    }
    // The submit dialogue: purge, 250 ms, the length command, the sender's wait for the prompt,
    // the PDU with Ctrl-Z, reads of 20 bytes 200 ms apart until "+CMGS:" or a refusal (the octet
    // and text senders read once more); then ATTimer, QueryTimer, Timer2 start, 300 ms apart.
    void senders()
    {
        QFETCH(QString, sender);
        QFETCH(QString, payload);
        QFETCH(QString, pdu);
        QFETCH(int, promptMs);
        QFETCH(QByteArray, reply);
        QFETCH(int, replyRead);
        QFETCH(int, reads);
        QFETCH(bool, sent);
        QFETCH(int, unread);
        EngineRig rig;
        if (replyRead > 0)
            rig.port.respond(QByteArray(1, modem::kCtrlZ.toLatin1()), reply, (replyRead - 1) * kReadMs + 100);
        gsm::SmsSender& sms = rig.engine->sms();
        const qint64 start = rig.clock.ticks();
        const bool result = sender == "data"    ? sms.SendDataSms(payload, kPhone)
                          : sender == "octet"   ? sms.SendOctetTextSms(payload, kPhone)
                                                : sms.SendTextSms(payload, kPhone);
        QCOMPARE(result, sent);
        QCOMPARE(rig.commands(), QStringList({modem::SendMessageCommand(int(pdu.size() / 2 - 1)), pdu + modem::kCtrlZ}));
        QCOMPARE(rig.port.writes()[1].at - rig.port.writes()[0].at, qint64(promptMs));
        QCOMPARE(rig.port.pendingInput().size(), unread);
        const qint64 readsDone = start + 250 + promptMs + qint64(reads) * kReadMs;
        QCOMPARE(rig.timers.starts, (QList<Start>{{MainTimer::ATTimer, readsDone},
                                                  {MainTimer::QueryTimer, readsDone + 300},
                                                  {MainTimer::Timer2, readsDone + 600}}));
    }

    void resetAfterAFailedMessage()
    {
        EngineRig rig;
        rig.port.respond("AT\r\n", "\r\nOK\r\n" + QByteArray(20, 'x'), 50);
        rig.engine->sms().ResetAfterFailedSms();
        QCOMPARE(rig.commands(), QStringList{modem::kAttention});
        QCOMPARE(rig.port.pendingInput().size(), 6);
        QVERIFY(rig.threeTimersRunning());
    }

    // A message, a call or a poll with the modem port closed fails at once and leaves the timers
    // as they were: link supervision (Timer2) goes on.
    void closedPortFailsAndLeavesTheTimers()
    {
        EngineRig rig;
        rig.port.Close();
        rig.timers.stop(MainTimer::QueryTimer);
        rig.timers.stop(MainTimer::ATTimer);
        QVERIFY(!rig.engine->sms().SendDataSms("01", kPhone));
        QVERIFY(!rig.engine->sms().SendOctetTextSms("a", kPhone));
        QVERIFY(!rig.engine->sms().SendTextSms("a", kPhone));
        QVERIFY(!rig.engine->calls().DialObject(kPhone));
        QCOMPARE(rig.engine->calls().CallSubscriber(kPhone), gsm::SubscriberCallOutcome::Failed);
        QVERIFY(rig.port.writes().isEmpty());
        QVERIFY(rig.timers.isActive(MainTimer::Timer2));
        QVERIFY(rig.timers.starts.isEmpty());
    }
};

KVT_TEST(SmsSenderTest)
#include "SmsSenderTest.moc"
