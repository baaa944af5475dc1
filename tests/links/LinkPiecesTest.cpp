#include "common/Errors.h"
#include "common/IniFile.h"
#include "links/LinkEventLog.h"
#include "links/LinkFrameText.h"
#include "links/LinkPeers.h"
#include "links/ReportSignature.h"
#include "links/Rs485Registers.h"
#include "serial/LinkIndicators.h"
#include "support/RecordingSinks.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kvt;
using namespace kvt::links;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QByteArray Report(const QByteArray& head)
{
    return head.leftJustified(kLinkReportSize, ' ');
}

class NamesById : public ObjectNames {
public:
    QString objectName(int object) const override { return object == 7 ? QStringLiteral("Насосная") : QString(); }
};

} // namespace

class LinkPiecesTest : public QObject {
    Q_OBJECT
private slots:
    void stateSignature_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<bool>("rs485");
        QTest::addColumn<std::optional<QString>>("signature");
        const auto sig = [](const char* text) { return std::optional<QString>(QString::fromUtf8(text)); };
        QTest::newRow("value fields") << Report("OBJ01 T23.5 P1,2 OK\r\n") << false << sig("OBJ01 OK");
        QTest::newRow("other values, same signature") << Report("OBJ01 T24.0 P1,3 OK\r\n") << false << sig("OBJ01 OK");
        QTest::newRow("first six characters stay") << Report("HIMPQTT1\r") << false << sig("HIMPQT");
        QTest::newRow("trailing spaces go before the fields") << Report("ABCDEF OK T12.5  \r") << false << sig("ABCDEF OK ");
        QTest::newRow("lone letter at the end") << Report("ABCDEF OK T\r") << false << sig("ABCDEF OK ");
        QTest::newRow("question marks and minus") << Report("STATE X-?.5Y?? end\r") << false << sig("STATE end");
        QTest::newRow("radio: no CR") << Report("OBJ01 OK\n") << false << std::optional<QString>();
        QTest::newRow("radio: blank first line") << Report("   \r") << false << std::optional<QString>();
        QTest::newRow("rs485: line before LF") << Report("OBJ01 OK\n") << true << sig("OBJ01 OK");
        QTest::newRow("rs485: empty before CR, text before LF") << Report("\rOBJ\n") << true << sig("\rOBJ");
        QTest::newRow("rs485: neither CR nor LF") << Report("OBJ01 OK") << true << std::optional<QString>();
        QTest::newRow("rs485: CR first, LF after it") << Report("\r\nOBJ01") << true << std::optional<QString>();
        QTest::newRow("windows-1251 text") << Report("\xCD\xC0\xD1\xCE\xD1 T1 \xCE\xCA\r") << false
                                           << sig("НАСОС ОК");
    }
    void stateSignature()
    {
        QFETCH(QByteArray, report);
        QFETCH(bool, rs485);
        QFETCH(std::optional<QString>, signature);
        QCOMPARE(StateSignature(report, rs485 ? LinkKind::Rs485 : LinkKind::Radio), signature);
    }

    void receiptStamp()
    {
        QCOMPARE(ReceiptStamp(QDateTime(QDate(2024, 3, 5), QTime(7, 4, 59))), QStringLiteral("05.03.24  07:04"));
        QCOMPARE(ReceiptStamp(QDateTime(QDate(2031, 12, 31), QTime(23, 59, 1))).size(), 15);
    }

    void frameText_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("expected");
        QTest::newRow("radio command") << RadioCommandFrame(QStringLiteral("0102")) << QStringLiteral("030102");
        QTest::newRow("rs485 command") << Rs485CommandFrame(QStringLiteral("0102")) << QStringLiteral("0102");
        QTest::newRow("radio settings")
            << RadioSettingsFrame(QStringLiteral("0A"), QStringLiteral("0102"), QStringLiteral("00000001"),
                                  QStringLiteral("00000002"))
            << QStringLiteral("0C0A01020000000100000002");
        QTest::newRow("rs485 settings") << Rs485SettingsFrame(QStringLiteral("0A"), QStringLiteral("0102"), QStringLiteral("05"))
                                        << QStringLiteral("0A010205");
        QTest::newRow("odd character kept, not counted") << RadioCommandFrame(QStringLiteral("01023")) << QStringLiteral("0301023");
        QTest::newRow("empty body counts only itself") << WithLengthPrefix(QString()) << QStringLiteral("01");
        QTest::newRow("three digits past 255 bytes")
            << WithLengthPrefix(QString(2 * 255, QLatin1Char('A'))).left(3) << QStringLiteral("100");
    }
    void frameText()
    {
        QFETCH(QString, frame);
        QFETCH(QString, expected);
        QCOMPARE(frame, expected);
    }

    void frameTextRefusesNonHex()
    {
        QVERIFY_THROWS_EXCEPTION(ConversionError, RadioCommandFrame(QStringLiteral("01ZZ")));
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("dh");
        QTest::addColumn<QString>("dl");
        QTest::addColumn<qint64>("radio"); // -1: refused
        QTest::newRow("both halves") << "0013A200" << "40a1b2c3" << qint64(0x0013A20040A1B2C3LL);
        QTest::newRow("short halves, spaces") << " 1 " << "2" << qint64(0x0000000100000002LL);
        QTest::newRow("nine digits") << "100000000" << "1" << qint64(-1);
        QTest::newRow("empty half") << "0013A200" << "" << qint64(-1);
        QTest::newRow("not hex") << "0013A20G" << "1" << qint64(-1);
    }
    void addresses()
    {
        QFETCH(QString, dh);
        QFETCH(QString, dl);
        QFETCH(qint64, radio);
        const auto address = RadioAddress64(dh, dl);
        QCOMPARE(address ? qint64(*address) : -1, radio);
    }

    void slaveAddresses()
    {
        QCOMPARE(Rs485SlaveAddress(QStringLiteral("1")), 1);
        QCOMPARE(Rs485SlaveAddress(QStringLiteral(" 247 ")), 247);
        QCOMPARE(Rs485SlaveAddress(QStringLiteral("007")), 7);
        for (const char* refused : {"0", "248", "300", "-1", "0x10", "", "1 2"})
            QVERIFY2(!Rs485SlaveAddress(QString::fromLatin1(refused)), refused);
    }

    void peersFromChannelFiles()
    {
        QTemporaryDir dir;
        IniFile zigBee(dir.filePath(QStringLiteral("ZigBee.ini")));
        zigBee.writeString(QStringLiteral("3"), QStringLiteral("DH"), QStringLiteral("0013A200"));
        zigBee.writeString(QStringLiteral("3"), QStringLiteral("DL"), QStringLiteral("1"));
        zigBee.writeInteger(QStringLiteral("3"), QStringLiteral("ErrCnt"), 2);
        zigBee.writeString(QStringLiteral("4"), QStringLiteral("SVYAZ"), QStringLiteral("GSM"));
        zigBee.writeString(QStringLiteral("9"), QStringLiteral("DH"), QStringLiteral("1"));
        QCOMPARE(ReadRadioPeers(zigBee, {3, 4, 5}),
                 (QList<RadioPeer>{{3, QStringLiteral("0013A200"), QStringLiteral("1"), 2}}));
        IniFile rs485(dir.filePath(QStringLiteral("RS485.ini")));
        rs485.writeString(QStringLiteral("4"), QStringLiteral("Adr"), QStringLiteral("12"));
        QCOMPARE(ReadRs485Peers(rs485, {3, 4}), (QList<Rs485Peer>{{4, QStringLiteral("12"), 0}}));
    }

    void registerMap()
    {
        QCOMPARE(rs485::FrameRegisters(QByteArray::fromHex("0102030405")),
                 (QList<quint16>{5, 0x0102, 0x0304, 0x0500}));
        QCOMPARE(rs485::FrameRegisters(QByteArray()), QList<quint16>{0});
        QCOMPARE(rs485::RegistersToBytes({0x4F42, 0x0D0A}), QByteArray("OB\r\n"));
        QCOMPARE(rs485::kMaxFrameBytes, 244);
    }

    void eventLogAppliesEvents()
    {
        QTemporaryDir dir;
        IniFile zigBee(dir.filePath(QStringLiteral("ZigBee.ini")));
        zigBee.writeString(QStringLiteral("7"), QStringLiteral("DH"), QStringLiteral("1"));
        LinkIndicators lamps;
        test::RecordingEventSink log;
        NamesById names;
        QString failure;
        LinkEventLog radio(LinkKind::Radio, zigBee, lamps, log, names);
        radio.setFailureHandler([&](const QString& reason) { failure = reason; });

        radio.errorCountChanged(7, 3);
        radio.errorCountChanged(8, 1); // a removed object's section is not made again
        QCOMPARE(zigBee.readInteger(QStringLiteral("7"), QStringLiteral("ErrCnt"), -1), 3);
        QVERIFY(!zigBee.sectionExists(QStringLiteral("8")));

        radio.lampChanged(true);
        QCOMPARE(lamps.helpContext(LinkLamp::Radio), LinkIndicators::kLinkUpMarker);
        radio.frameOutcome(PendingFrameKind::Command, 7, true);
        radio.frameOutcome(PendingFrameKind::Settings, 8, false);
        radio.engineFailed(QStringLiteral("EIO"));
        QCOMPARE(log.lines.size(), 3);
        QCOMPARE(log.lines[0].title, QStringLiteral("Команда доставлена объекту по радиоканалу"));
        QCOMPARE(log.lines[0].text, QStringLiteral("Насосная"));
        QCOMPARE(log.lines[0].colour, EventColour::Yellow);
        QCOMPARE(log.lines[1].title, QStringLiteral("Установки не доставлены объекту по радиоканалу"));
        QCOMPARE(log.lines[1].colour, EventColour::Red);
        QCOMPARE(failure, QStringLiteral("EIO"));
        QCOMPARE(FrameOutcomeTitle(LinkKind::Rs485, PendingFrameKind::Command, false),
                 QStringLiteral("Команда не доставлена объекту по каналу RS485"));
    }
};

KVT_TEST(LinkPiecesTest)
#include "LinkPiecesTest.moc"
