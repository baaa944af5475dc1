#include "common/Hex.h"
#include "gsm/ModemInterface.h"
#include "gsm/PduConv.h"
#include "serial/PosixSerialPort.h"
#include "support/SimModemProcess.h"
#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QThread>

using namespace kvt;
using kvt::test::SimModemProcess;

namespace {

constexpr int kReplyTimeoutMs = 2000;
constexpr int kQuietMs = 300;

// Reads in real time until the key text has arrived or the time is up.
QString ReadUntil(SerialPort& port, const QString& key, int timeoutMs = kReplyTimeoutMs)
{
    QString got;
    QDeadlineTimer deadline(timeoutMs);
    while (!got.contains(key) && !deadline.hasExpired()) {
        const QString chunk = port.ReadStr(256);
        if (chunk.isEmpty())
            QThread::msleep(5);
        got += chunk;
    }
    return got;
}

QString Exchange(SerialPort& port, const QString& command, const QString& key = QStringLiteral("\r\nOK\r\n"))
{
    port.WriteStr(command);
    return ReadUntil(port, key);
}

// A simulator with the console's port opened on it, echo already off.
struct Bench {
    explicit Bench(const QStringList& extra = {})
        : sim(SimModemProcess::FastTimings() + extra),
          port(PortSettings{sim.devicePath(), 115200, false, false})
    {
        if (!sim.started())
            return;
        port.Open();
        Exchange(port, modem::kEchoOff);
    }
    SimModemProcess sim;
    PosixSerialPort port;
};

} // namespace

class ModemSimulatorTest : public QObject {
    Q_OBJECT
private slots:
    void echoesUntilEchoIsSwitchedOff()
    {
        SimModemProcess sim;
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        PosixSerialPort port(PortSettings{sim.devicePath(), 115200});
        port.Open();
        QCOMPARE(Exchange(port, modem::kAttention), QStringLiteral("AT\r\n\r\nOK\r\n"));
        QCOMPARE(Exchange(port, modem::kEchoOff), QStringLiteral("ATE0\r\n\r\nOK\r\n"));
        QCOMPARE(Exchange(port, modem::kAttention), QStringLiteral("\r\nOK\r\n"));
        QCOMPARE(Exchange(port, QStringLiteral("AT+NOSUCH\r\n"), QStringLiteral("ERROR\r\n")),
                 QStringLiteral("\r\nERROR\r\n"));
        // Every exchange is in the transcript, both ways.
        const QString transcript = sim.transcript();
        QVERIFY(transcript.contains(QStringLiteral("-> ATE0\\r\\n")));
        QVERIFY(transcript.contains(QStringLiteral("<- \\r\\nERROR\\r\\n")));
    }

    void registrationAndSignalFollowTheScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("reply");
        QTest::newRow("home network") << "registration 1" << "AT+CREG?\r\n" << "+CREG: 0,1\r\n";
        QTest::newRow("roaming") << "registration 5" << "AT+CREG?\r\n" << "+CREG: 0,5\r\n";
        QTest::newRow("searching") << "registration 2" << "AT+CREG?\r\n" << "+CREG: 0,2\r\n";
        QTest::newRow("signal 15") << "signal 15 0" << "AT+CSQ\r\n" << "+CSQ: 15,0\r\n";
        QTest::newRow("no measurement") << "signal 99 99" << "AT+CSQ\r\n" << "+CSQ: 99,99\r\n";
    }
    void registrationAndSignalFollowTheScript()
    {
        QFETCH(QString, script);
        QFETCH(QString, command);
        QFETCH(QString, reply);
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        QVERIFY(bench.sim.control(script).startsWith(QLatin1String("OK")));
        const QString got = Exchange(bench.port, command);
        QCOMPARE(got, QStringLiteral("\r\n") + reply + QStringLiteral("\r\nOK\r\n"));
    }

    void messagesAreStoredAnnouncedReadAndDeleted()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        // Without new-message indications a message arrives silently.
        QCOMPARE(bench.sim.control(QStringLiteral("sms 79123456789 text hello")), QStringLiteral("OK sms 1"));
        QVERIFY(!ReadUntil(bench.port, modem::kNewMessage, kQuietMs).contains(modem::kNewMessage));
        Exchange(bench.port, modem::kNewMessageIndications);
        QCOMPARE(bench.sim.control(QStringLiteral("sms +79123456780 data 0102FF")), QStringLiteral("OK sms 2"));
        const QString notice = ReadUntil(bench.port, QStringLiteral("\",2\r\n"));
        QCOMPARE(notice, QStringLiteral("\r\n+CMTI: \"SM\",2\r\n"));
        // "store" puts a message in memory without a notice.
        QCOMPARE(bench.sim.control(QStringLiteral("store 79123456781 data 0A")), QStringLiteral("OK store 3"));
        QVERIFY(!ReadUntil(bench.port, modem::kNewMessage, kQuietMs).contains(modem::kNewMessage));
        QVERIFY(Exchange(bench.port, modem::PreferredStorageCommand(QStringLiteral("SM")))
                    .startsWith(QStringLiteral("\r\n+CPMS: 3,30,3,30,3,30\r\n")));

        const DeliverPdu data = DecodeDeliverPdu(Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("2"))));
        QVERIFY(data.found);
        QCOMPARE(data.sender, QStringLiteral("79123456780"));
        QCOMPARE(data.coding, QStringLiteral("4"));
        QCOMPARE(data.udLengthText, QStringLiteral("03"));
        QCOMPARE(data.userData, QStringLiteral("0102FF"));
        QCOMPARE(data.stamp.size(), 15);

        // The console's own read command carries the CR of the notice: index "1" + CR.
        const DeliverPdu text = DecodeDeliverPdu(Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("1\r"))));
        QCOMPARE(text.coding, QStringLiteral("0"));
        QCOMPARE(text.udLengthText, QStringLiteral("05"));
        QCOMPARE(text.userData, PackSeptets(ToGsmAlphabet(QStringLiteral("hello"))));

        QCOMPARE(Exchange(bench.port, modem::DeleteMessageCommand(QStringLiteral("2"))), QStringLiteral("\r\nOK\r\n"));
        QCOMPARE(Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("2")), QStringLiteral("321\r\n")),
                 QStringLiteral("\r\n+CMS ERROR: 321\r\n"));
        QVERIFY(Exchange(bench.port, modem::PreferredStorageCommand(QStringLiteral("ME")))
                    .startsWith(QStringLiteral("\r\n+CPMS: 2,30")));
        // An empty memory name is refused, as modems do.
        QVERIFY(Exchange(bench.port, modem::PreferredStorageCommand(QString()), QStringLiteral("ERROR"))
                    .contains(QStringLiteral("+CMS ERROR")));
    }

    void submittedMessagesAreConfirmedOrRefused()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        const QString pdu = EncodeDataSubmitPdu(u"0102", u"79123456789");
        const int length = int(pdu.size() / 2 - 1);
        QCOMPARE(Exchange(bench.port, modem::SendMessageCommand(length), modem::kSendPrompt),
                 QStringLiteral("\r\n> "));
        QCOMPARE(Exchange(bench.port, pdu + modem::kCtrlZ, QStringLiteral("OK\r\n")),
                 QStringLiteral("\r\n+CMGS: 0\r\n\r\nOK\r\n"));
        QCOMPARE(bench.sim.waitForLine(QStringLiteral("SENT")), QStringLiteral("SENT 79123456789 ") + pdu);

        QVERIFY(bench.sim.control(QStringLiteral("fail-cmgs")).startsWith(QLatin1String("OK")));
        Exchange(bench.port, modem::SendMessageCommand(length), modem::kSendPrompt);
        QCOMPARE(Exchange(bench.port, pdu + modem::kCtrlZ, QStringLiteral("ERROR: 500\r\n")),
                 QStringLiteral("\r\n+CMS ERROR: 500\r\n"));
        // Only the next one fails.
        Exchange(bench.port, modem::SendMessageCommand(length), modem::kSendPrompt);
        QVERIFY(Exchange(bench.port, pdu + modem::kCtrlZ).contains(QStringLiteral("+CMGS: 1")));
        // A length that does not match the PDU.
        Exchange(bench.port, modem::SendMessageCommand(length + 1), modem::kSendPrompt);
        QVERIFY(Exchange(bench.port, pdu + modem::kCtrlZ, QStringLiteral("304\r\n")).contains(QStringLiteral("+CMS ERROR: 304")));
        // A 7-bit text message as the alarm reports go out.
        const QString textPdu = EncodeSubmitPdu(u"Alarm", u"79123456789");
        Exchange(bench.port, modem::SendMessageCommand(int(textPdu.size() / 2 - 1)), modem::kSendPrompt);
        QVERIFY(Exchange(bench.port, textPdu + modem::kCtrlZ).contains(modem::kMessageSent));
    }

    void outgoingCalls_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("dialReply");
        QTest::addColumn<QStringList>("seen");   // key texts expected while watching the call
        QTest::newRow("answered") << "answer" << "OK" << QStringList{"+CLCC: 1,0,3,0,0", "+CLCC: 1,0,0,0,0"};
        QTest::newRow("busy") << "busy" << "OK" << QStringList{"BUSY"};
        QTest::newRow("no answer") << "noanswer" << "OK" << QStringList{"+CLCC: 1,0,3,0,0", "NO ANSWER"};
        QTest::newRow("no dial tone") << "nodialtone" << "NO DIALTONE" << QStringList{};
        QTest::newRow("refused") << "reject" << "ERROR" << QStringList{};
    }
    void outgoingCalls()
    {
        QFETCH(QString, outcome);
        QFETCH(QString, dialReply);
        QFETCH(QStringList, seen);
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        QVERIFY(bench.sim.control(QStringLiteral("call-outcome 79123456789 ") + outcome).startsWith(QLatin1String("OK")));
        QVERIFY(Exchange(bench.port, modem::VoiceDialCommand(QStringLiteral("79123456789")), dialReply).contains(dialReply));
        // Watch the call as the console does: AT+CLCC every 100 ms.
        QString watched;
        for (int reading = 0; reading < 8; ++reading) {
            QThread::msleep(100);
            watched += Exchange(bench.port, modem::kListCalls);
        }
        for (const QString& key : seen)
            QVERIFY2(watched.contains(key), qPrintable(key + QStringLiteral(" not in ") + watched));
        if (outcome != QLatin1String("answer"))
            QVERIFY(watched.endsWith(QStringLiteral("\r\nOK\r\n\r\nOK\r\n"))); // the call is gone
        Exchange(bench.port, modem::kHangUp);
        QCOMPARE(Exchange(bench.port, modem::kListCalls), QStringLiteral("\r\nOK\r\n"));
    }

    // A ringing time given with the outcome holds the call at the far end that long.
    void callRingsForTheGivenTime()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        QVERIFY(bench.sim.control(QStringLiteral("call-outcome 79123456789 answer 5")).startsWith(QLatin1String("OK")));
        QVERIFY(bench.sim.control(QStringLiteral("call-outcome 79123456789 5")).startsWith(QLatin1String("ERROR")));
        Exchange(bench.port, modem::VoiceDialCommand(QStringLiteral("79123456789")), QStringLiteral("OK"));
        QThread::msleep(800); // past --alert-ms
        const QString watched = Exchange(bench.port, modem::kListCalls);
        QVERIFY2(watched.contains(modem::kCallAlerting), qPrintable(watched));
        Exchange(bench.port, modem::kHangUp);
    }

    void incomingCallsShowTheCaller_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<QString>("number");   // as the console reads it from the call list
        QTest::newRow("international") << "79001112233" << "79001112233";
        QTest::newRow("with plus") << "+79001112233" << "79001112233";
        QTest::newRow("national") << "89001112233" << "79001112233";
    }
    void incomingCallsShowTheCaller()
    {
        QFETCH(QString, caller);
        QFETCH(QString, number);
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        QCOMPARE(bench.sim.control(QStringLiteral("ring ") + caller), QStringLiteral("OK ring"));
        QCOMPARE(ReadUntil(bench.port, QStringLiteral("RING\r\n")), QStringLiteral("\r\nRING\r\n"));
        const QString list = Exchange(bench.port, modem::kListCalls);
        const qsizetype plus = list.indexOf(modem::kCallList);
        QVERIFY(plus >= 0);
        const QString read = list.at(plus + modem::kNationalMarkOffset) == modem::kNationalPrefix
            ? modem::kInternationalPrefix + list.mid(plus + modem::kCallerNumberOffset, 10)
            : list.mid(plus + modem::kCallerNumberOffset, 11);
        QCOMPARE(read, number);
        QVERIFY(list.contains(QStringLiteral("+CLCC: 1,1,4,0,0")));
        QCOMPARE(Exchange(bench.port, modem::kAnswer), QStringLiteral("\r\nOK\r\n"));
        QVERIFY(Exchange(bench.port, modem::kListCalls).contains(QStringLiteral("+CLCC: 1,1,0,0,0")));
        Exchange(bench.port, modem::kHangUp);
        QCOMPARE(Exchange(bench.port, modem::kListCalls), QStringLiteral("\r\nOK\r\n"));
    }

    void unansweredCallerGivesUp()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        bench.sim.control(QStringLiteral("ring 79001112233 2"));
        const QString rings = ReadUntil(bench.port, QStringLiteral("NO CARRIER"));
        QCOMPARE(rings.count(modem::kRing), 2);
        QCOMPARE(Exchange(bench.port, modem::kListCalls), QStringLiteral("\r\nOK\r\n"));
    }

    void ussdAnswersInWindows1251()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        bench.sim.control(QStringLiteral("ussd Баланс: 42.50 р."));
        const QString answer = Exchange(bench.port, modem::CodeDialCommand(QStringLiteral("*100#")), QStringLiteral(",15\r\n"));
        QCOMPARE(answer, QStringLiteral("\r\nOK\r\n\r\n+CUSD: 0,\"Баланс: 42.50 р.\",15\r\n"));
        QCOMPARE(Exchange(bench.port, modem::kKeypadControl), QStringLiteral("\r\nOK\r\n"));
        QCOMPARE(Exchange(bench.port, modem::kKeypadEnd), QStringLiteral("\r\nOK\r\n"));
        bench.sim.control(QStringLiteral("ussd-error"));
        QCOMPARE(Exchange(bench.port, modem::CodeDialCommand(QStringLiteral("*102#")), QStringLiteral("ERROR\r\n")),
                 QStringLiteral("\r\nERROR\r\n"));
    }

    void silentModemSaysNothingUntilItComesBack()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        Exchange(bench.port, modem::kNewMessageIndications);
        bench.sim.control(QStringLiteral("silent"));
        bench.port.WriteStr(modem::kRegistrationQuery);
        bench.sim.control(QStringLiteral("sms 79123456789 data 01"));
        QCOMPARE(ReadUntil(bench.port, modem::kCrLf, kQuietMs), QString());
        bench.sim.control(QStringLiteral("back"));
        QVERIFY(Exchange(bench.port, modem::kRegistrationQuery).contains(modem::kRegistration));
        // The message that came meanwhile waits in memory.
        QVERIFY(Exchange(bench.port, modem::PreferredStorageCommand(QStringLiteral("SM")))
                    .contains(QStringLiteral("+CPMS: 1,30")));
        // A timed silence ends by itself.
        bench.sim.control(QStringLiteral("silent 0.2"));
        QCOMPARE(Exchange(bench.port, modem::kAttention).isEmpty(), true);
        QThread::msleep(250);
        QCOMPARE(Exchange(bench.port, modem::kAttention), QStringLiteral("\r\nOK\r\n"));
    }

    void messageFormatIsSwitched()
    {
        Bench bench({QStringLiteral("--cmgf"), QStringLiteral("1")});
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        QVERIFY(Exchange(bench.port, modem::kMessageFormatQuery).contains(QStringLiteral("+CMGF: 1")));
        bench.sim.control(QStringLiteral("store 79123456789 text Hi"));
        const QString textMode = Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("1")));
        QVERIFY(textMode.contains(QStringLiteral("+CMGR: \"REC UNREAD\",\"+79123456789\"")));
        QVERIFY(!DecodeDeliverPdu(textMode).found);
        QCOMPARE(Exchange(bench.port, modem::kPduMode), QStringLiteral("\r\nOK\r\n"));
        QVERIFY(Exchange(bench.port, modem::kMessageFormatQuery).contains(modem::kPduModeReport));
        const QString pduMode = Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("1")));
        QVERIFY(pduMode.contains(QStringLiteral("+CMGR: 1,,")));
        QCOMPARE(DecodeDeliverPdu(pduMode).sender, QStringLiteral("79123456789"));
        QVERIFY(bench.sim.control(QStringLiteral("status")).contains(QStringLiteral("cmgf=0")));
    }

    void answeredPollBringsTheObjectsMessage()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        Exchange(bench.port, modem::kNewMessageIndications);
        bench.sim.control(QStringLiteral("answer-sms 79123456789 data 0A0B"));
        Exchange(bench.port, modem::VoiceDialCommand(QStringLiteral("79123456789")));
        const QString notice = ReadUntil(bench.port, modem::kNewMessage, 3000);
        QVERIFY2(notice.contains(QStringLiteral("+CMTI: \"SM\",1")), qPrintable(notice));
        Exchange(bench.port, modem::kHangUp);
        QCOMPARE(DecodeDeliverPdu(Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("1")))).userData,
                 QStringLiteral("0A0B"));
    }

    // An object's modem runs a terminal request and answers with a terminal answer by SMS.
    void terminalRequestIsAnswered()
    {
        Bench bench;
        QVERIFY2(bench.sim.started(), qPrintable(bench.sim.failure()));
        Exchange(bench.port, modem::kNewMessageIndications);
        QVERIFY(bench.sim.control(QStringLiteral("terminal-answer 79123456789 +CSQ: 17,0||OK")).startsWith(u"OK"));
        const QString request = QStringLiteral("5445524D494E414C3A0D41542B4353510D0A");
        const QString pdu = EncodeDataSubmitPdu(request, u"79123456789");
        Exchange(bench.port, modem::SendMessageCommand(int(pdu.size() / 2 - 1)), modem::kSendPrompt);
        // The answer may come before the confirmation has been read.
        const QString replies = Exchange(bench.port, pdu + modem::kCtrlZ) + ReadUntil(bench.port, modem::kNewMessage, 3000);
        QCOMPARE(bench.sim.waitForLine(QStringLiteral("DATA")), QStringLiteral("DATA 79123456789 ") + request);
        QCOMPARE(bench.sim.waitForLine(QStringLiteral("TERMINAL")), QStringLiteral("TERMINAL 79123456789 AT+CSQ"));
        QVERIFY2(replies.contains(QStringLiteral("+CMTI: \"SM\",1")), qPrintable(replies));
        QCOMPARE(DecodeDeliverPdu(Exchange(bench.port, modem::ReadMessageCommand(QStringLiteral("1")))).userData,
                 BytesToHex(QByteArray("TERMINAL:\r+CSQ: 17,0\r\n\r\nOK\r\n")));
    }

    void badScriptCommandsAreRefused()
    {
        SimModemProcess sim;
        QVERIFY2(sim.started(), qPrintable(sim.failure()));
        for (const char* command : {"explode", "sms 12ab data 01", "sms 79123456789 data 012",
                                    "sms 79123456789 hello", "sms-pdu XYZ", "call-outcome maybe", "signal x"}) {
            const QString reply = sim.control(QString::fromLatin1(command));
            QVERIFY2(reply.startsWith(QLatin1String("ERROR")), command);
        }
        // A refused command changes nothing.
        QVERIFY(sim.control(QStringLiteral("status")).contains(QStringLiteral("stored=0/30")));
    }
};

KVT_TEST(ModemSimulatorTest)
#include "ModemSimulatorTest.moc"
