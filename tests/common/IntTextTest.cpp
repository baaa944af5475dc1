#include "support/TestRegistry.h"

#include "common/Errors.h"
#include "common/IntText.h"

#include <QtTest>

using namespace kvt;

class IntTextTest : public QObject {
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
};

KVT_TEST(IntTextTest)
#include "IntTextTest.moc"
