#include "support/TestRegistry.h"

#include <QProcess>
#include <QTest>

// kvt-tool pdu and translit: UTF-8 arguments held as Windows-1251 text, the reply on stdin read
// as Windows-1251 bytes, UTF-8 output.
namespace {

constexpr int kRunTimeoutMs = 30000;

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run RunTool(const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(qEnvironmentVariable("KVT_TOOLS_DIR") + "/kvt-tool", args);
    if (!process.waitForStarted(kRunTimeoutMs))
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(kRunTimeoutMs);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class PduCommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void encode_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("text") << QStringList{"pdu", "encode-text", "79123456789", "abc"}
                              << QByteArray("0035000B919721436587F90000AA0361F118\n");
        QTest::newRow("Cyrillic text by its Windows-1251 bytes")
            << QStringList{"pdu", "encode-text", "7912", "Жук"} << QByteArray("003500049197210000AA039C7719\n");
        QTest::newRow("data") << QStringList{"pdu", "encode-data", "79123456789", "41"}
                              << QByteArray("0011000B919721436587F90004AA0141\n");
        QTest::newRow("deliver data") << QStringList{"pdu", "deliver-data", "79123456789", "0102",
                                                     "--stamp=2010-08-20T12:45:03"}
                                      << QByteArray("07919700000000F0040B919721436587F9000401800221543000020102\n");
        QTest::newRow("deliver text") << QStringList{"pdu", "deliver-text", "--stamp=2010-08-20T12:45:03", "7912",
                                                     "Test"}
                                      << QByteArray("07919700000000F00404919721000001800221543000" "04D4F29C0E\n");
        QTest::newRow("translit") << QStringList{"translit", "Щука и ёж"} << QByteArray("SH'uka i eg\n");
    }
    void encode()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, out);
        const Run run = RunTool(args);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
    }

    void decodeReadsReplyBytes_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("read reply")
            << QByteArray("\r\n+CMGR: 0,,21\r\n07919700000000F0040B919721436587F9000401800221543000020102\r\n\r\nOK\r\n")
            << QByteArray("found=1\nsender=79123456789\nstamp=20.08.10  12:45\ncoding=4\nudl=02\nud=0102\n");
        // Bytes above 0x7F are Windows-1251 characters: 0xC0 0xC1 print as "АБ" in UTF-8.
        QTest::newRow("Windows-1251 bytes in the user data")
            << QByteArray("07919700000000F0040B919721436587F9000401800221543000020102\xC0\xC1\r\n")
            << QByteArray("found=1\nsender=79123456789\nstamp=20.08.10  12:45\ncoding=4\nudl=02\nud=0102"
                          "\xD0\x90\xD0\x91\n");
        QTest::newRow("no PDU") << QByteArray("\r\nERROR\r\n")
                                << QByteArray("found=0\nsender=\nstamp=\ncoding=\nudl=\nud=\n");
    }
    void decodeReadsReplyBytes()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, out);
        const Run run = RunTool({"pdu", "decode"}, reply);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
    }

    // User data that is not upper-case hex pairs would make an invalid PDU: refused, nothing printed.
    void dataThatIsNotHexIsRefused_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("data");
        for (const char* action : {"encode-data", "deliver-data"}) {
            QTest::addRow("%s letters", action) << action << "XYZ1";
            QTest::addRow("%s odd length", action) << action << "012";
            QTest::addRow("%s lower case", action) << action << "0a";
        }
    }
    void dataThatIsNotHexIsRefused()
    {
        QFETCH(QString, action);
        QFETCH(QString, data);
        const Run run = RunTool({"pdu", action, "79123456789", data});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.endsWith("kvt-tool pdu " + action.toLatin1() + ": the data must be upper-case hex pairs\n"),
                 run.err.constData());
    }

    void wrongArgumentsAreAUsageError()
    {
        QCOMPARE(RunTool({"pdu", "encode-text", "79123456789"}).exitCode, 2);
        QCOMPARE(RunTool({"pdu", "unknown"}).exitCode, 2);
        QCOMPARE(RunTool({"translit"}).exitCode, 2);
        QCOMPARE(RunTool({"pdu", "deliver-data", "7912", "0G"}).exitCode, 2);
        QCOMPARE(RunTool({"pdu", "deliver-text", "7912", "x", "--stamp=yesterday"}).exitCode, 2);
    }
};

KVT_TEST(PduCommandLineTest)
#include "PduCommandLineTest.moc"
