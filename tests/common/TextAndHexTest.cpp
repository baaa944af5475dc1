#include "common/Errors.h"
#include "common/Hex.h"
#include "common/TextPos.h"
#include "common/Transliterate.h"
#include "common/Win1251.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <cmath>

using namespace kvt;

class TextAndHexTest : public QObject {
    Q_OBJECT
private slots:
    void win1251RoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = FromWin1251(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(ToWin1251(text), all);
        // No two bytes share a character.
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
    }

    void win1251KnownCharacters_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("character");
        QTest::newRow("А") << 0xC0 << QStringLiteral("А");
        QTest::newRow("я") << 0xFF << QStringLiteral("я");
        QTest::newRow("Ё") << 0xA8 << QStringLiteral("Ё");
        QTest::newRow("ё") << 0xB8 << QStringLiteral("ё");
        QTest::newRow("№") << 0xB9 << QStringLiteral("№");
        QTest::newRow("euro") << 0x88 << QStringLiteral("€");
        QTest::newRow("undefined 0x98") << 0x98 << QString(QChar(0x0098));
        QTest::newRow("ascii") << 0x41 << QStringLiteral("A");
    }
    void win1251KnownCharacters()
    {
        QFETCH(int, byte);
        QFETCH(QString, character);
        QCOMPARE(QString(Win1251Char(uchar(byte))), character);
        QCOMPARE(int(Win1251Byte(character[0])), byte);
    }

    void win1251UnmappableBecomesQuestionMark()
    {
        QCOMPARE(ToWin1251(QStringLiteral("a\u4e2db")), QByteArray("a?b"));
        QVERIFY(!IsWin1251Char(QChar(0x4e2d)));
    }

    void copy_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("middle") << "abcdef" << 2 << 3 << "bcd";
        QTest::newRow("past end is shorter") << "abcdef" << 5 << 10 << "ef";
        QTest::newRow("index past end") << "abc" << 4 << 1 << "";
        QTest::newRow("index far past end") << "abc" << 1000 << 5 << "";
        QTest::newRow("index zero counts as one") << "abc" << 0 << 2 << "ab";
        QTest::newRow("negative index") << "abc" << -5 << 2 << "ab";
        QTest::newRow("zero count") << "abc" << 1 << 0 << "";
        QTest::newRow("negative count") << "abc" << 1 << -1 << "";
        QTest::newRow("huge count") << "abc" << 2 << 2147483647 << "bc";
        QTest::newRow("empty text") << "" << 1 << 1 << "";
    }
    void copy()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(Copy(text, index, count), expected);
    }

    void deleteAndInsert_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("afterDelete");
        QTest::addColumn<QString>("afterInsertXY");
        QTest::newRow("middle") << "abcdef" << 2 << 2 << "adef" << "aXYbcdef";
        QTest::newRow("runs past end") << "abcdef" << 5 << 100 << "abcd" << "abcdXYef";
        QTest::newRow("index zero") << "abc" << 0 << 1 << "abc" << "XYabc";
        QTest::newRow("index past end") << "abc" << 4 << 1 << "abc" << "abcXY";
        QTest::newRow("far past end") << "abc" << 99 << 1 << "abc" << "abcXY";
        QTest::newRow("zero count") << "abc" << 1 << 0 << "abc" << "XYabc";
    }
    void deleteAndInsert()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(int, count);
        QString deleted = text;
        Delete(deleted, index, count);
        QTEST(deleted, "afterDelete");
        QString inserted = text;
        Insert(u"XY", inserted, index);
        QTEST(inserted, "afterInsertXY");
    }

    void pos_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("first") << "ab" << "abab" << 1;
        QTest::newRow("later") << "b" << "aab" << 3;
        QTest::newRow("absent") << "x" << "abc" << 0;
        QTest::newRow("empty needle") << "" << "abc" << 0;
        QTest::newRow("longer needle") << "abcd" << "abc" << 0;
        QTest::newRow("case matters") << "A" << "abc" << 0;
    }
    void pos()
    {
        QFETCH(QString, needle);
        QFETCH(QString, text);
        QTEST(Pos(needle, text), "expected");
    }

    void hexOfBytesAndText()
    {
        QCOMPARE(ByteToHex(0x0A), QStringLiteral("0A"));
        QCOMPARE(ByteToHex(0xFF), QStringLiteral("FF"));
        QCOMPARE(BytesToHex(QStringView(u"AБ")), QStringLiteral("41C1"));
        QCOMPARE(BytesToHex(QByteArray("\x00\x7f", 2)), QStringLiteral("007F"));
        QCOMPARE(BytesToHex(QStringView(u"")), QString());
    }

    void hexToBytes_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("pairs") << "0A1B" << QByteArray("\x0a\x1b");
        QTest::newRow("lower case") << "ff" << QByteArray("\xff");
        QTest::newRow("trailing odd ignored") << "0A1" << QByteArray("\x0a");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("single char") << "F" << QByteArray();
    }
    void hexToBytes()
    {
        QFETCH(QString, hex);
        QTEST(HexToBytes(hex), "bytes");
    }

    void hexToBytesRejectsNonHexPair()
    {
        QVERIFY_THROWS_EXCEPTION(ConversionError, HexToBytes(u"0AZZ"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, HexToBytes(u"G0"));
        // The odd trailing character is not looked at, whatever it is.
        QCOMPARE(HexToBytes(u"0AZ"), QByteArray("\x0a"));
    }

    void isHexText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("digits") << "0123456789" << true;
        QTest::newRow("upper") << "ABCDEF" << true;
        QTest::newRow("lower") << "abc" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("space") << "0A " << false;
        QTest::newRow("cyrillic") << "0АB" << false;
    }
    void isHexText()
    {
        QFETCH(QString, text);
        QTEST(IsHexText(text), "expected");
    }

    void hexToBits()
    {
        QCOMPARE(HexToBits(u"A"), QStringLiteral("1010"));
        QCOMPARE(HexToBits(u"0F"), QStringLiteral("00001111"));
        QCOMPARE(HexToBits(u"80"), QStringLiteral("10000000"));
        QCOMPARE(HexToBits(u""), QString());
    }

    void hexToFloat_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<double>("expected");
        // The top bit of the first byte is inverted before reading: C0400000 reads as 40400000.
        QTest::newRow("single 3.0") << "C0400000" << 3.0;
        QTest::newRow("single sign flips") << "40400000" << -3.0;
        QTest::newRow("single lower case") << "c0400000" << 3.0;
        QTest::newRow("double 1.5") << "BFF8000000000000" << 1.5;
        QTest::newRow("extended 1.0") << "BFFF8000000000000000" << 1.0;
        QTest::newRow("extended -2.5") << "4000A000000000000000" << -2.5;
        QTest::newRow("stops at non-hex pair") << "C0400000ZZ11" << 3.0;
        QTest::newRow("at most 10 bytes") << "BFFF8000000000000000FFFF" << 1.0;
    }
    void hexToFloat()
    {
        QFETCH(QString, hex);
        QFETCH(double, expected);
        QCOMPARE(double(HexToFloat(hex)), expected);
    }

    void hexToFloatRejectsOtherSizes_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::newRow("empty") << "";
        QTest::newRow("one byte") << "12";
        QTest::newRow("three bytes") << "123456";
        QTest::newRow("five bytes") << "1234567890";
        QTest::newRow("not hex") << "XX400000";
    }
    void hexToFloatRejectsOtherSizes()
    {
        QFETCH(QString, hex);
        try {
            HexToFloat(hex);
            QFAIL("no error");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QStringLiteral("HexToFloat conversion error"));
        }
    }

    void transliterate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("latin");
        QTest::newRow("Щука") << "Щука" << "SH'uka";
        QTest::newRow("Жук") << "Жук" << "Guk";
        QTest::newRow("ёж") << "ёж" << "eg";
        QTest::newRow("capitals") << "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
                                  << "ABVGDEEGZIIKLMNOPRSTUFHCCHSHSH''I'EIUIA";
        QTest::newRow("small") << "абвгдеёжзийклмнопрстуфхцчшщъыьэюя" << "abvgdeegziiklmnoprstufhcchshsh''i'eiuia";
        QTest::newRow("others copied") << "Obj-7: 25°C, №3 «ок»" << "Obj-7: 25°C, №3 «ok»";
        QTest::newRow("stops at NUL") << QString("Да") + QChar(0) + "Нет" << "Da";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("150 characters") << QString(150, QChar(u'ю')) << QString(140, QLatin1Char('i')).replace("i", "iu");
        QTest::newRow("140 after growth") << QString(139, QLatin1Char('x')) + "ЩЩ" << QString(139, QLatin1Char('x')) + "SH'";
    }
    void transliterate()
    {
        QFETCH(QString, text);
        QFETCH(QString, latin);
        QCOMPARE(Transliterate(text), latin);
    }
};

KVT_TEST(TextAndHexTest)
#include "TextAndHexTest.moc"
