#include "common/Errors.h"
#include "common/IntegerText.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <climits>

using namespace kvt;

class IntegerTextTest : public QObject {
    Q_OBJECT
private slots:
    void strToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << u"42"_qs << true << 42;
        QTest::newRow("leading spaces") << u"  7"_qs << true << 7;
        QTest::newRow("signs") << u"-15"_qs << true << -15;
        QTest::newRow("plus") << u"+3"_qs << true << 3;
        QTest::newRow("dollar hex") << u"$1F"_qs << true << 31;
        QTest::newRow("0x hex") << u"0x10"_qs << true << 16;
        QTest::newRow("hex wraps") << u"$FFFFFFFF"_qs << true << -1;
        QTest::newRow("smallest") << u"-2147483648"_qs << true << INT_MIN;
        QTest::newRow("largest") << u"2147483647"_qs << true << INT_MAX;
        QTest::newRow("too large") << u"2147483648"_qs << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("spaces only") << u"   "_qs << false << 0;
        QTest::newRow("trailing space") << u"5 "_qs << false << 0;
        QTest::newRow("letters") << u"1a"_qs << false << 0;
        QTest::newRow("sign only") << u"-"_qs << false << 0;
        QTest::newRow("hex too large") << u"$100000000"_qs << false << 0;
    }

    void strToInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        if (valid) {
            QCOMPARE(StrToInt(text), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(ConversionError, StrToInt(text));
            int untouched = 99;
            QVERIFY(!TryStrToInt(text, untouched));
        }
    }

    void decimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("value");
        QTest::newRow("digits") << "1234" << true << qint64(1234);
        QTest::newRow("leading zeros") << "007" << true << qint64(7);
        QTest::newRow("leading spaces") << "  12" << true << qint64(12);
        QTest::newRow("minus") << "-123" << true << qint64(-123);
        QTest::newRow("plus") << "+5" << true << qint64(5);
        QTest::newRow("past 32 bits") << "4294967295" << true << qint64(4294967295LL);
        QTest::newRow("hex prefix") << "$10" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("sign only") << "-" << false << qint64(0);
        QTest::newRow("trailing space") << "12 " << false << qint64(0);
        QTest::newRow("inner space") << "1 2" << false << qint64(0);
        QTest::newRow("hex letters") << "1A" << false << qint64(0);
        QTest::newRow("decimal point") << "1.5" << false << qint64(0);
    }
    void decimal()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, value);
        if (valid)
            QCOMPARE(ParseInteger64(text), value);
        else
            QVERIFY_THROWS_EXCEPTION(ConversionError, ParseInteger64(text));
    }

    void decimalBounds()
    {
        QCOMPARE(ParseInteger64(u"9223372036854775807"), std::numeric_limits<qint64>::max());
        QCOMPARE(ParseInteger64(u"-9223372036854775808"), std::numeric_limits<qint64>::min());
        QVERIFY_THROWS_EXCEPTION(ConversionError, ParseInteger64(u"9223372036854775808"));
        try {
            ParseInteger64(u"x1");
            QFAIL("no failure");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QStringLiteral("'x1' is not a valid integer value"));
        }
    }

    void unsignedHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint64>("value");
        QTest::newRow("byte") << "FF" << true << quint64(255);
        QTest::newRow("lower case") << "ff" << true << quint64(255);
        QTest::newRow("64 bits") << "FFFFFFFFFFFFFFFF" << true << ~quint64(0);
        QTest::newRow("leading zeros never overflow") << "000000000000000000000001" << true << quint64(1);
        QTest::newRow("65 bits") << "10000000000000000" << false << quint64(0);
        QTest::newRow("empty") << "" << false << quint64(0);
        QTest::newRow("not hex") << "1G" << false << quint64(0);
    }
    void unsignedHex()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(quint64, value);
        if (valid)
            QCOMPARE(ParseUnsignedHex(text), value);
        else
            QVERIFY_THROWS_EXCEPTION(ConversionError, ParseUnsignedHex(text));
    }
};

KVT_TEST(IntegerTextTest)
#include "IntegerTextTest.moc"
