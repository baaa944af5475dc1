#include "gsm/DeliverPduBuilder.h"
#include "gsm/PduConv.h"
#include "support/TestRegistry.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace kvt;

// The console's PDUs read by an independent SMS library, and that library's SMS-DELIVER PDUs
// read by the console. Gammu comes from the Debian package python3-gammu; without it the
// whole class is skipped.
namespace {

constexpr int kAnswerTimeoutMs = 10000;

class GammuPeer {
public:
    ~GammuPeer()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.closeWriteChannel();
            if (!process_.waitForFinished(kAnswerTimeoutMs))
                process_.kill();
        }
    }

    // Starts the helper under the system interpreter (the one the Debian package serves).
    bool start(QString& why)
    {
        const QString script = qEnvironmentVariable("KVT_SOURCE_DIR") + "/tests/gsm/gammu_pdu.py";
        for (const QString& python : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
            process_.start(python, {script});
            if (!process_.waitForStarted(kAnswerTimeoutMs))
                continue;
            if (ask({{"op", "check"}}).value("ok").toBool())
                return true;
            process_.kill();
            process_.waitForFinished();
        }
        why = QStringLiteral("python3-gammu is not installed (module gammu not found): PDUs are not cross-checked "
                             "with Gammu");
        return false;
    }

    QJsonObject ask(const QJsonObject& request)
    {
        process_.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(kAnswerTimeoutMs))
                return {{"error", "no answer: " + QString::fromUtf8(process_.readAllStandardError())}};
        }
        return QJsonDocument::fromJson(process_.readLine()).object();
    }

    QJsonObject decode(const QString& pdu, bool withServiceCentre)
    {
        return ask({{"op", "decode"}, {"pdu", pdu}, {"smsc", withServiceCentre}});
    }

private:
    QProcess process_;
};

const QString kPhone = QStringLiteral("79123456789");

} // namespace

class PduGammuCrossCheckTest : public QObject {
    Q_OBJECT
    GammuPeer gammu_;

private slots:
    void initTestCase()
    {
        QString why;
        if (!gammu_.start(why))
            QSKIP(qPrintable(why));
    }

    // Gammu reads the characters back in Unicode: the table is applied to the Windows-1251
    // byte of each character, so Cyrillic letters come out as the Western letters of the same byte.
    void textSubmitReadByGammu_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("gammuText");
        QTest::addColumn<int>("septets");
        QTest::newRow("abc") << "abc" << kPhone << "abc" << 3;
        QTest::newRow("7 characters") << "abcdefg" << kPhone << "abcdefg" << 7;
        QTest::newRow("8 characters") << "abcdefgh" << kPhone << "abcdefgh" << 8;
        QTest::newRow("escapes") << "[x]{y}\\|^~" << kPhone << "[x]{y}\\|^~" << 18;
        QTest::newRow("gsm specials") << "a@b$c_d\r\n" << kPhone << "a@b$c_d\r\n" << 9;
        QTest::newRow("Cyrillic by byte") << "Привет" << kPhone << "I?èaåò" << 6;
        QTest::newRow("transliterated alarm") << Transliterate(u"Авария на объекте №5") << kPhone
                                              << "Avariia na ob'ekte 15" << 21;
        QTest::newRow("160 characters") << QString("0123456789").repeated(16) << kPhone
                                        << QString("0123456789").repeated(16) << 160;
        QTest::newRow("10-digit phone") << "ok" << "7912345678" << "ok" << 2;
    }
    void textSubmitReadByGammu()
    {
        QFETCH(QString, text);
        QFETCH(QString, phone);
        QFETCH(QString, gammuText);
        QFETCH(int, septets);
        const QJsonObject sms = gammu_.decode(EncodeSubmitPdu(text, phone), true);
        QVERIFY2(!sms.contains("error"), qPrintable(sms.value("error").toString()));
        QCOMPARE(sms.value("type").toString(), QStringLiteral("Submit"));
        QCOMPARE(sms.value("number").toString(), "+" + phone);
        QCOMPARE(sms.value("coding").toString(), QStringLiteral("Default_No_Compression"));
        QCOMPARE(sms.value("validity").toString(), QStringLiteral("4D"));
        QCOMPARE(sms.value("text").toString(), gammuText);
        QCOMPARE(sms.value("length").toInt(), septets);
    }

    void dataSubmitReadByGammu_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("phone");
        QTest::newRow("one octet") << "41" << kPhone;
        QTest::newRow("binary") << "00FF7F80" << kPhone;
        QTest::newRow("state packet text") << BytesToHex(u"Объект 5: норма") << kPhone;
        QTest::newRow("140 octets") << QString("A5").repeated(140) << kPhone;
        QTest::newRow("10-digit phone") << "0102" << "7912345678";
    }
    void dataSubmitReadByGammu()
    {
        QFETCH(QString, data);
        QFETCH(QString, phone);
        const QJsonObject sms = gammu_.decode(EncodeDataSubmitPdu(data, phone), true);
        QVERIFY2(!sms.contains("error"), qPrintable(sms.value("error").toString()));
        QCOMPARE(sms.value("type").toString(), QStringLiteral("Submit"));
        QCOMPARE(sms.value("number").toString(), "+" + phone);
        QCOMPARE(sms.value("coding").toString(), QStringLiteral("8bit"));
        QCOMPARE(sms.value("validity").toString(), QStringLiteral("4D"));
        QCOMPARE(sms.value("text").toString(), data);
    }

    // Gammu builds the SMS-DELIVER; the console reads it as the modem's read-message reply.
    void gammuDeliverReadByConsole_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("coding");
        QTest::addColumn<QString>("receipt");
        QTest::newRow("8-bit packet") << kPhone << "2010-08-20T12:45:03" << "" << "0102" << "4"
                                      << "20.08.10  12:45";
        QTest::newRow("8-bit, 10 digits") << "7912345678" << "2024-12-31T23:59:00" << "" << "00FF" << "4"
                                          << "31.12.24  23:59";
        QTest::newRow("8-bit, 12 digits") << "380501234567" << "2009-01-02T03:04:05" << ""
                                          << QString("5A").repeated(140) << "4" << "02.01.09  03:04";
        QTest::newRow("7-bit text") << kPhone << "2024-03-05T09:07:30" << "TERMINAL: OK" << "" << "0"
                                    << "05.03.24  09:07";
    }
    void gammuDeliverReadByConsole()
    {
        QFETCH(QString, sender);
        QFETCH(QString, stamp);
        QFETCH(QString, text);
        QFETCH(QString, data);
        QFETCH(QString, coding);
        QFETCH(QString, receipt);
        QJsonObject request{{"op", "deliver"}, {"number", "+" + sender}, {"stamp", stamp}};
        if (data.isEmpty())
            request.insert("text", text);
        else
            request.insert("data", data);
        const QString pdu = gammu_.ask(request).value("pdu").toString();
        QVERIFY(pdu.startsWith("0791"));

        const DeliverPdu read = DecodeDeliverPdu("\r\n+CMGR: 0,,40\r\n" + pdu + "\r\n\r\nOK\r\n");
        QVERIFY(read.found);
        QCOMPARE(read.sender, sender);
        QCOMPARE(read.stamp, receipt);
        QCOMPARE(read.coding, coding);
        const int length = data.isEmpty() ? int(text.size()) : int(data.size() / 2);
        QCOMPARE(read.udLengthText, ByteToHex(uchar(length)));
        QVERIFY(pdu.endsWith(read.userData));
        if (!data.isEmpty())
            QCOMPARE(read.userData, data);
        else
            QCOMPARE(read.userData, PackSeptets(ToGsmAlphabet(text)));
    }

    // The console's own SMS-DELIVER builder (for the modem simulator) read by Gammu.
    void builderReadByGammu_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("7-bit") << kPhone << "hello [1]" << QByteArray();
        QTest::newRow("7-bit, 8 septets") << "7912345678" << "abcdefgh" << QByteArray();
        QTest::newRow("8-bit") << kPhone << "" << QByteArray::fromHex("0102FF00");
        QTest::newRow("8-bit, 140 octets") << "380501234567" << "" << QByteArray(140, '\x5A');
    }
    void builderReadByGammu()
    {
        QFETCH(QString, sender);
        QFETCH(QString, text);
        QFETCH(QByteArray, data);
        DeliverMessage message;
        message.sender = sender;
        message.stamp = QDateTime(QDate(2023, 11, 7), QTime(18, 5, 42));
        message.zoneQuarters = 12;
        const QString pdu = data.isEmpty() ? BuildDeliverTextPdu(message, text) : BuildDeliverDataPdu(message, data);
        const QJsonObject sms = gammu_.decode(pdu, true);
        QVERIFY2(!sms.contains("error"), qPrintable(sms.value("error").toString()));
        QCOMPARE(sms.value("type").toString(), QStringLiteral("Deliver"));
        QCOMPARE(sms.value("number").toString(), "+" + sender);
        QCOMPARE(sms.value("smsc").toString(), QStringLiteral("+79000000000"));
        QCOMPARE(sms.value("stamp").toString(), QStringLiteral("2023-11-07T18:05:42"));
        if (data.isEmpty()) {
            QCOMPARE(sms.value("coding").toString(), QStringLiteral("Default_No_Compression"));
            QCOMPARE(sms.value("text").toString(), text);
        } else {
            QCOMPARE(sms.value("coding").toString(), QStringLiteral("8bit"));
            QCOMPARE(sms.value("text").toString(), QString::fromLatin1(data.toHex().toUpper()));
        }
    }
};

KVT_TEST(PduGammuCrossCheckTest)
#include "PduGammuCrossCheckTest.moc"
