#include "common/Errors.h"
#include "packets/ReadingFormat.h"
#include "packets/StatePacket.h"
#include "packets/StateSummaries.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;

class StatePacketTest : public QObject {
    Q_OBJECT
private slots:
    void packetEndsAtFirstNul()
    {
        QString raw = QStringLiteral("0102");
        raw.append(QString(508, QChar(0)));
        const StatePacket packet(raw);
        QCOMPARE(packet.text(), QStringLiteral("0102"));
        QCOMPARE(packet.length(), 4);
        QCOMPARE(StatePacket(u"01\u000003").text(), QStringLiteral("01"));
    }

    void runs_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("complete");
        QTest::newRow("inside") << "0A0B0C" << 2 << 2 << "0B0C" << true;
        QTest::newRow("one past end") << "0A0B0C" << 3 << 2 << "0C" << false;
        QTest::newRow("wholly outside") << "0A0B" << 3 << 1 << "" << false;
        QTest::newRow("half byte at end") << "0A0" << 2 << 1 << "0" << false;
        QTest::newRow("byte zero") << "0A0B" << 0 << 1 << "" << false;
        QTest::newRow("from byte zero") << "0A0B" << 0 << 2 << "0A" << false;
        QTest::newRow("no bytes") << "0A0B" << 1 << 0 << "" << true;
        QTest::newRow("huge count") << "0A0B" << 1 << 2147483647 << "0A0B" << false;
        QTest::newRow("huge first") << "0A0B" << 2147483647 << 1 << "" << false;
    }
    void runs()
    {
        QFETCH(QString, packet);
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(QString, hex);
        QFETCH(bool, complete);
        const auto run = StatePacket(packet).run(first, count);
        QCOMPARE(run.hex, hex);
        QCOMPARE(run.complete, complete);
    }

    void characters_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << "4142" << "AB";
        QTest::newRow("carriage return left out") << "410D42" << "AB";
        QTest::newRow("zero byte kept") << "410042" << QString::fromUtf16(u"A\u0000B", 3);
        QTest::newRow("cyrillic") << "C0FF" << "Ая";
        QTest::newRow("trailing half byte") << "414" << "A";
    }
    void characters()
    {
        QFETCH(QString, packet);
        QFETCH(QString, text);
        QCOMPARE(StatePacket(packet).characters(), text);
    }

    void charactersKeepAt255()
    {
        const StatePacket packet(QStringLiteral("41").repeated(256));
        QCOMPARE(packet.characters().size(), 255);
        QVERIFY_THROWS_EXCEPTION(ConversionError, StatePacket(u"41ZZ").characters());
    }

    void decimalFields_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("converted");
        const QString head = QStringLiteral("010203040506");
        // bytes 7 'A', 8-11 "1234", 12 'E', 13-16 "567 ".
        QTest::newRow("both fields") << head + "41" + "31323334" + "45" + "35363720"
                                     << head + "41" + "04D23334" + "45" + "02373720";
        QTest::newRow("fourth character used") << head + "41" + "30303132" + "45" + "30303030"
                                               << head + "41" + "000C3132" + "45" + "00003030";
        QTest::newRow("15 bytes untouched") << head + "41" + "31323334" + "45" + "353637"
                                            << head + "41" + "31323334" + "45" + "353637";
        QTest::newRow("wrong markers") << head + "42" + "31323334" + "45" + "35363720"
                                       << head + "42" + "31323334" + "45" + "35363720";
        QTest::newRow("leading space") << head + "41" + "20203920" + "45" + "2D313220"
                                       << head + "41" + "00093920" + "45" + "FFF43220";
        QTest::newRow("longer packet keeps tail") << head + "41" + "31323334" + "45" + "35363720" + "AABB"
                                                  << head + "41" + "04D23334" + "45" + "02373720" + "AABB";
    }
    void decimalFields()
    {
        QFETCH(QString, packet);
        QFETCH(QString, converted);
        StatePacket p(packet);
        p.convertDecimalFields();
        QCOMPARE(p.text(), converted);
    }

    void decimalFieldThatIsNoNumberFails()
    {
        StatePacket p(QStringLiteral("010203040506") + "41" + "31324134" + "45" + "35363720");
        QVERIFY_THROWS_EXCEPTION(ConversionError, p.convertDecimalFields());
    }

    void blankedHeader_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("copy");
        QTest::newRow("space A") << "01020304052041FF" << "20202020202041FF";
        QTest::newRow("other") << "01020304052042FF" << "01020304052042FF";
        QTest::newRow("short") << "010203040520" << "010203040520";
    }
    void blankedHeader()
    {
        QFETCH(QString, packet);
        QFETCH(QString, copy);
        const StatePacket original(packet);
        QCOMPARE(original.withBlankedHeader().text(), copy);
        QCOMPARE(original.text(), packet);
    }

    void summariesStopAt1024()
    {
        StateSummaries s;
        const QString title(500, QLatin1Char('t'));
        s.addState(title, u"x");   // 505 characters
        s.addState(title, u"y");   // 1010
        s.addState(u"abcdefgh", u"z"); // cut at 1024
        s.addState(u"later", u"w");
        QCOMPARE(s.stateSummary().size(), 1024);
        QVERIFY(s.stateSummary().endsWith(QStringLiteral("abcdefgh - z")));
        for (int i = 0; i < 200; ++i)
            s.addAlarm(u"Авария");
        QCOMPARE(s.alarmSummary().size(), 1024);
        for (int i = 0; i < 200; ++i)
            s.addForward(u"Давление", u"10");
        QCOMPARE(s.forwardSummary().size(), 200 * 13);
    }

    void summaryEntries()
    {
        StateSummaries s;
        s.addState(u"T", u"v");
        s.addAlarm(u"A");
        s.addSetting(u"S", u"5");
        s.addForward(u"F", u"w");
        s.addForwardAlarm(u"L");
        QCOMPARE(s.stateSummary(), QStringLiteral("T - v; "));
        QCOMPARE(s.alarmSummary(), QStringLiteral("A; "));
        QCOMPARE(s.settingsSummary(), QStringLiteral("S - 5; "));
        QCOMPARE(s.forwardSummary(), QStringLiteral("F-w; "));
        QCOMPARE(s.forwardAlarms(), QStringLiteral("L;"));
    }

    void generalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("tenth") << 123.4 << "123.4";
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("small") << 0.1 << "0.1";
        QTest::newRow("15 digits") << 123456789012345.6 << "123456789012346";
        QTest::newRow("scientific") << 1.8446744073709552e18 << "1.84467440737096E18";
        QTest::newRow("power") << 1e20 << "1E20";
    }
    void generalFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatGeneral(value, QLatin1Char('.')), text);
        QCOMPARE(FormatGeneral(value, QLatin1Char(',')), QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
    }

    void fixedFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("two decimals") << 1234.5 << "1234.50";
        QTest::newRow("rounds") << 0.126 << "0.13";
        QTest::newRow("negative") << -2.25 << "-2.25";
        QTest::newRow("negative zero") << -0.0 << "0.00";
        QTest::newRow("tiny negative") << -0.001 << "0.00";
        QTest::newRow("large") << 1e20 << "100000000000000000000.00";
        QTest::newRow("infinity") << double(INFINITY) << "INF";
        QTest::newRow("minus infinity") << -double(INFINITY) << "-INF";
        QTest::newRow("nan") << double(NAN) << "NAN";
    }
    void fixedFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFixed2(value, QLatin1Char('.')), text);
    }
};

KVT_TEST(StatePacketTest)
#include "StatePacketTest.moc"
