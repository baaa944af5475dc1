#include "gsm/DeliverPduBuilder.h"
#include "gsm/PduConv.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;

class DeliverPduBuilderTest : public QObject {
    Q_OBJECT
private slots:
    // Laid out by hand after TS 23.040 §9.2.2.1: SCA, first octet, TP-OA, PID, DCS, SCTS, UDL, UD.
    void layout_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("pdu");
        QTest::newRow("8-bit") << "79123456789" << "" << QByteArray("\x01\x02", 2)
                               << "07919700000000F0" "04" "0B919721436587F9" "00" "04" "01800221543021" "02" "0102";
        QTest::newRow("7-bit") << "7912345678" << "Test" << QByteArray()
                               << "07919700000000F0" "04" "0A919721436587" "00" "00" "01800221543021" "04"
                                  "D4F29C0E";
    }
    void layout()
    {
        QFETCH(QString, sender);
        QFETCH(QString, text);
        QFETCH(QByteArray, data);
        QFETCH(QString, pdu);
        DeliverMessage message;
        message.sender = sender;
        message.stamp = QDateTime(QDate(2010, 8, 20), QTime(12, 45, 3));
        message.zoneQuarters = 12;
        QCOMPARE(data.isEmpty() ? BuildDeliverTextPdu(message, text) : BuildDeliverDataPdu(message, data), pdu);
    }

    void timeStamp_data()
    {
        QTest::addColumn<QDateTime>("stamp");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("scts");
        const QDateTime stamp(QDate(2009, 1, 2), QTime(3, 4, 5));
        QTest::newRow("GMT") << stamp << 0 << "90102030405000";
        QTest::newRow("GMT+3") << stamp << 12 << "90102030405021";
        QTest::newRow("GMT-3") << stamp << -12 << "90102030405029";
        QTest::newRow("GMT+5:45") << stamp << 23 << "90102030405032";
        QTest::newRow("year 2000") << QDateTime(QDate(2000, 12, 31), QTime(23, 59, 59)) << 0 << "00211332959500";
    }
    void timeStamp()
    {
        QFETCH(QDateTime, stamp);
        QFETCH(int, zone);
        QFETCH(QString, scts);
        QCOMPARE(ServiceCentreTimeStamp(stamp, zone), scts);
    }

    // What the receive side needs from a built message survives the walk.
    void readBackByTheConsole()
    {
        DeliverMessage message;
        message.sender = QStringLiteral("79001112233");
        message.stamp = QDateTime(QDate(2024, 2, 29), QTime(7, 8, 9));
        const QByteArray packet = QByteArray::fromHex("A1B2C3D4E5F6");
        const DeliverPdu read = DecodeDeliverPdu("\r\n+CMGR: 0,,27\r\n" + BuildDeliverDataPdu(message, packet) + "\r\n");
        QVERIFY(read.found);
        QCOMPARE(read.sender, message.sender);
        QCOMPARE(read.stamp, QStringLiteral("29.02.24  07:08"));
        QCOMPARE(read.coding, QStringLiteral("4"));
        QCOMPARE(read.udLengthText, QStringLiteral("06"));
        QCOMPARE(read.userData, QStringLiteral("A1B2C3D4E5F6"));
    }
};

KVT_TEST(DeliverPduBuilderTest)
#include "DeliverPduBuilderTest.moc"
