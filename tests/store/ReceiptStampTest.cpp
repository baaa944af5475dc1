#include "support/TestRegistry.h"

#include "store/ReceiptStamp.h"

#include <QTest>

using namespace kvt::registry;

// Receipt stamps read as local dates and times, two-digit years by their century rule.
class ReceiptStampTest : public QObject {
    Q_OBJECT
private slots:
    void stampsReadAsTimes_data()
    {
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("time"); // ISO, empty: no time
        QTest::newRow("as stored") << "01.03.24  10:05" << "2024-03-01T10:05:00";
        QTest::newRow("last minute of 1999") << "31.12.99  23:59" << "1999-12-31T23:59:00";
        QTest::newRow("first minute of 2000") << "01.01.00  00:00" << "2000-01-01T00:00:00";
        QTest::newRow("69 is 2069") << "31.12.69  23:59" << "2069-12-31T23:59:00";
        QTest::newRow("70 is 1970") << "01.01.70  00:00" << "1970-01-01T00:00:00";
        QTest::newRow("one-digit parts") << "1.3.24  9:05" << "2024-03-01T09:05:00";
        QTest::newRow("four-digit year") << "01.03.2024  10:05" << "2024-03-01T10:05:00";
        QTest::newRow("seconds") << "01.03.24  10:05:30" << "2024-03-01T10:05:30";
        QTest::newRow("leap day") << "29.02.24  12:00" << "2024-02-29T12:00:00";
        QTest::newRow("nothing received yet") << "00.00.00  00:00" << "";
        QTest::newRow("no leap day") << "29.02.23  12:00" << "";
        QTest::newRow("day 32") << "32.01.24  12:00" << "";
        QTest::newRow("hour 24") << "31.12.24  24:00" << "";
        QTest::newRow("no time") << "01.03.24" << "";
        QTest::newRow("three-digit year") << "01.03.124  10:05" << "";
        QTest::newRow("empty") << "" << "";
    }
    void stampsReadAsTimes()
    {
        QFETCH(QString, stamp);
        QFETCH(QString, time);
        const std::optional<QDateTime> read = ReceiptStampTime(stamp);
        QCOMPARE(read ? read->toString(Qt::ISODate) : QString(), time);
    }
};

KVT_TEST(ReceiptStampTest)
#include "ReceiptStampTest.moc"
