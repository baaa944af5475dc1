#include "GsmEngineRig.h"
#include "gsm/MessageIntake.h"
#include "gsm/ModemInterface.h"
#include "gsm/PduConv.h"
#include "gsm/ReceiveDispatcher.h"
#include "support/TestRegistry.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace kvt;
using namespace kvt::test;
using gsm::MessageIntake;

namespace {

const QString kBoiler = QStringLiteral("79123456789");
const QString kDispatchPoint = QStringLiteral("79990000000");
const QDateTime kSent(QDate(2024, 1, 15), QTime(11, 58));
const QString kStamp = QStringLiteral("15.01.24  11:58");
const QStringList kLinkSteps{"radio step", "RS-485 step"};

void AddObjects(FakeConsole& console)
{
    console.objects = {{1, "Котельная", kBoiler, "60", "15.1.2024  10:0"}, {2, "Насосная", "79001112233", "0", ""}};
}

// The same PDU with another low digit of its data coding scheme.
QString WithCoding(QString pdu, QChar coding)
{
    const int sc = 2 * pdu.left(2).toInt(nullptr, 16);
    const int digits = pdu.mid(sc + 4, 2).toInt(nullptr, 16);
    pdu[sc + 8 + digits + digits % 2 + 3] = coding;
    return pdu;
}

// The modem holds `pdu` at `index` and deletes on request.
void Hold(ScriptedSerialPort& port, int index, const QString& pdu)
{
    port.respond(modem::ReadMessageCommand(QString::number(index)).toLatin1(), ReadReply(pdu), 100);
    port.respond(modem::DeleteMessageCommand(QString::number(index)).toLatin1(), "\r\nOK\r\n", 100);
}

QStringList Arrival(const QString& packet)
{
    return {"close 0", "close 1", "close 2", "close 3", "close 4", "store 1", "select Котельная",
            "sound ReciveData", "icons 3", "SVYAZ GSM", "latest " + kStamp, "history",
            "apply " + packet + " " + kStamp + " Котельная"};
}

// The journal's rows as "outcome packet deleted".
QStringList Journal(const QString& connection)
{
    QSqlQuery query(QSqlDatabase::database(connection));
    query.exec("SELECT Outcome, Kod_SMS, Deleted FROM Receive_Journal ORDER BY Entry");
    QStringList rows;
    while (query.next())
        rows << QStringLiteral("%1 %2 %3").arg(query.value(0).toString()).arg(query.value(1).toInt()).arg(query.value(2).toInt());
    return rows;
}

} // namespace

class ReceiveDispatcherTest : public QObject {
    Q_OBJECT
private slots:
    void newMessages_data()
    {
        QTest::addColumn<QString>("pdu");
        QTest::addColumn<bool>("forwarding");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("logged");
        QTest::addColumn<QString>("journal");
        const QString eightBit = DataPdu(kBoiler, "\x01\x02", kSent);
        const QString sevenBit12 = TextPdu(kBoiler, "ABCDEFGHIJKLMNOPQR", kSent);
        const QString order = DataPdu(kDispatchPoint, "OPROS OB 79123456789", kSent);
        QTest::newRow("8-bit state packet") << eightBit << false << kLinkSteps + Arrival("0102")
                                            << QStringList{MessageIntake::kNewStateTitle} << "stored 1 1";
        QTest::newRow("7-bit with length 12")
            << sevenBit12 << false << kLinkSteps + Arrival(DecodeDeliverPdu(sevenBit12).userData)
            << QStringList{MessageIntake::kNewStateTitle} << "stored 1 1";
        QTest::newRow("7-bit of another length") << TextPdu(kBoiler, "hello", kSent) << false << kLinkSteps << QStringList{}
                                                 << "not-a-packet 0 1";
        QTest::newRow("other coding") << WithCoding(eightBit, '8') << false << kLinkSteps << QStringList{} << "not-a-packet 0 1";
        QTest::newRow("terminal answer, 7-bit coding")
            << WithCoding(DataPdu(kBoiler, "TERMINAL:\rOK", kSent), '0') << false << kLinkSteps
            << QStringList{MessageIntake::kTerminalAnswerTitle} << "terminal-answer 0 1";
        QTest::newRow("unknown sender") << DataPdu("79005554433", "\x01\x02", kSent) << false << kLinkSteps << QStringList{}
                                        << "unknown-sender 0 1";
        QTest::newRow("dispatch point, forwarding on") << order << true << kLinkSteps + QStringList{"select Котельная", "poll"}
                                                       << QStringList{MessageIntake::kDispatchPointPollTitle}
                                                       << "dispatch-point-order 0 1";
        QTest::newRow("dispatch point, forwarding off") << order << false << kLinkSteps << QStringList{}
                                                        << "unknown-sender 0 1";
    }
    // A new message is read, handled and only then deleted; what became of it is in the journal.
    void newMessages()
    {
        QFETCH(QString, pdu);
        QFETCH(bool, forwarding);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, logged);
        QFETCH(QString, journal);
        EngineRig rig;
        AddObjects(rig.console);
        rig.console.dispatchPhone = kDispatchPoint;
        rig.console.forwarding = forwarding;
        bool flagDuringPoll = false;
        rig.console.onPoll = [&] { flagDuringPoll = rig.state->dispatchPollFlag; };
        QAbstractItemModelTester tester(&rig.terminalAnswers);
        Hold(rig.port, 3, pdu);
        rig.port.feed("\r\n+CMTI: \"SM\",3\r\n");

        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.commands(), QStringList({modem::ReadMessageCommand("3"), modem::DeleteMessageCommand("3")}));
        QCOMPARE(rig.console.steps, steps);
        QCOMPARE(rig.log.titles(), logged);
        QCOMPARE(Journal(rig.connection), QStringList{journal});
        QCOMPARE(rig.console.lastChangeLine, MessageIntake::kLastChangeCaption + kStamp);
        QCOMPARE(flagDuringPoll, steps.contains("poll"));
        const bool terminal = logged == QStringList{MessageIntake::kTerminalAnswerTitle};
        QCOMPARE(rig.terminalAnswers.lines(),
                 terminal ? QStringList{"(Котельная  " + kStamp + ")TERMINAL:\rOK"} : QStringList{});
        QCOMPARE(rig.timers.isActive(MainTimer::Timer1), terminal);
        QVERIFY(rig.threeTimersRunning());
        QCOMPARE(rig.state->modemAnswered, 1);
    }

    void messageThenCallInOneTick()
    {
        EngineRig rig;
        Hold(rig.port, 3, DataPdu("79005554433", "\x01", kSent));
        rig.port.respond("AT+CLCC", "\r\n+CLCC: 1,1,4,0,0,\"+79005554433\",145\r\n\r\nOK\r\n", 100);
        rig.port.feed("\r\n+CMTI: \"SM\",3\r\n\r\nRING\r\n");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.commands(), QStringList({modem::ReadMessageCommand("3"), modem::DeleteMessageCommand("3"),
                                              modem::kListCalls, modem::kHangUp}));
    }

    void indexIsReadWhole()
    {
        EngineRig rig;
        rig.port.feed("\r\n+CMTI: \"SM\",123\r\n");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.commands(), QStringList{modem::ReadMessageCommand("123")});
    }

    // Each "+CPMS:" answer that reports messages reads the next index; one reporting none
    // starts again at the first.
    void storedMessagesAtTheNextIndex()
    {
        EngineRig rig;
        AddObjects(rig.console);
        for (int index = 1; index <= 3; ++index)
            Hold(rig.port, index, DataPdu(kBoiler, QByteArray(1, char(index)), kSent.addSecs(index)));
        for (int tick = 0; tick < 3; ++tick) {
            rig.port.feed("\r\n+CPMS: 3,30,3,30,3,30\r\n\r\nOK\r\n");
            rig.engine->QueryTimerTimer();
        }
        QStringList expected;
        for (const QString index : {"1", "2", "3"})
            expected << modem::ReadMessageCommand(index) << modem::DeleteMessageCommand(index);
        QCOMPARE(rig.commands(), expected);
        QCOMPARE(rig.log.titles().count(gsm::ReceiveDispatcher::kMissedMessagesTitle), 3);
        QCOMPARE(rig.log.titles().count(MessageIntake::kStoredStateTitle), 3);
        QCOMPARE(rig.console.storedPackets(), QStringList({"1:01", "1:02", "1:03"}));
        rig.port.feed("\r\n+CPMS: 0,30,0,30,0,30\r\n\r\nOK\r\n");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.state->missedMessageIndex, 0);
    }

    // Killed at any point between reading a message and deleting it, the console stores the
    // message exactly once on its next run (the modem still holds it and reports it).
    void exactlyOnceAcrossAKill_data()
    {
        QTest::addColumn<QString>("killAt");
        QTest::newRow("not killed, deletion lost") << QString();
        QTest::newRow("before storing") << "close";
        QTest::newRow("inside the store transaction") << "store";
        QTest::newRow("after storing") << "apply";
    }
    void exactlyOnceAcrossAKill()
    {
        QFETCH(QString, killAt);
        EngineRig rig;
        AddObjects(rig.console);
        Hold(rig.port, 1, DataPdu(kBoiler, "\x0A\x0B", kSent));
        rig.console.killAt = killAt;
        rig.port.feed("\r\n+CMTI: \"SM\",1\r\n");
        try {
            rig.engine->QueryTimerTimer();
        } catch (const Killed&) {
        }
        // Deleted only once handled.
        QCOMPARE(rig.commands().size(), killAt.isEmpty() ? 2 : 1);
        rig.console.killAt.clear();

        rig.restart();
        rig.port.clearWrites();
        rig.port.feed("\r\n+CPMS: 1,30,1,30,1,30\r\n\r\nOK\r\n");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.console.storedPackets(), QStringList{"1:0A0B"});
        QCOMPARE(rig.commands(), QStringList({modem::ReadMessageCommand("1"), modem::DeleteMessageCommand("1")}));
        QCOMPARE(Journal(rig.connection), QStringList{"stored 1 1"});
    }

    // Nothing is deleted that was not read in full: an error for an empty slot, or a reply that
    // has not fully come.
    void unreadSlotIsLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("empty slot") << QByteArray("\r\n+CMS ERROR: 321\r\n");
        QTest::newRow("reply on its way") << QByteArray("\r\n+CMGR: 0,,21\r\n0791970000");
        QTest::newRow("silent modem") << QByteArray();
    }
    void unreadSlotIsLeftAlone()
    {
        QFETCH(QByteArray, reply);
        EngineRig rig;
        rig.port.respond("AT+CMGR=5", reply, 100);
        rig.port.feed("\r\n+CMTI: \"SM\",5\r\n");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.commands(), QStringList{modem::ReadMessageCommand("5")});
        QVERIFY(Journal(rig.connection).isEmpty());
    }

    // The registration lamp and the signal bar follow the answers of complete lines only; an
    // unfinished line waits for the next tick.
    void statusAnswers()
    {
        EngineRig rig;
        rig.port.feed("\r\n+CREG: 0,5\r\n\r\nOK\r\n\r\n+CSQ: 1");
        rig.engine->QueryTimerTimer();
        QVERIFY(rig.indicators.isOn(LinkLamp::GsmNetwork));
        QCOMPARE(rig.indicators.signalPercent(), 0);
        rig.port.feed("5,0\r\n\r\nOK\r\n\r\n+CREG: 0,2\r\n");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.indicators.signalPercent(), 48);
        QVERIFY(!rig.indicators.isOn(LinkLamp::GsmNetwork));
        rig.port.feed("+CS");
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.state->modemAnswered, 2);
    }

    void linkStepsComeFirst()
    {
        EngineRig rig;
        rig.console.addObjectWindow = true;
        rig.port.feed("\r\nRING\r\n");
        rig.engine->QueryTimerTimer();
        QVERIFY(rig.console.steps.isEmpty());
        rig.console.addObjectWindow = false;
        rig.console.rs485Continues = false;
        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.console.steps, kLinkSteps);
        QCOMPARE(rig.port.pendingInput(), QByteArray("\r\nRING\r\n"));
    }

    // Over the radio and RS-485 links the link of last contact is written before the arrival.
    void arrivalWithoutLinkOfLastContact()
    {
        EngineRig rig;
        AddObjects(rig.console);
        StatePacketArrival arrival(rig.console, rig.log);
        arrival.run({1, "Котельная", kBoiler, kStamp, "0102", "В работе системы произошли изменения для объекта ", {}, {}});
        QVERIFY(!rig.console.steps.contains("SVYAZ GSM"));
        QCOMPARE(rig.console.steps.size(), Arrival({}).size() - 1);
    }
};

KVT_TEST(ReceiveDispatcherTest)
#include "ReceiveDispatcherTest.moc"
