#include "support/TestRegistry.h"

#include "common/Errors.h"
#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"

#include <QtTest>

using namespace kvt;

class ControlConfigTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("two pairs") << u"crc2endcrcname0Номер байтаendname0value03endvalue0"
                                      u"name1Номер битаendname1value10,1endvalue1"_qs
                                   << QStringList{u"Номер байта=3"_qs, u"Номер бита=0,1"_qs};
        QTest::newRow("count zero") << u"crc0endcrcname0xendname0value0yendvalue0"_qs << QStringList{};
        QTest::newRow("negative count") << u"crc-3endcrc"_qs << QStringList{};
        QTest::newRow("tags between other text")
            << u"Лампа насоса: crc1endcrc (см. схему) name0Заголовок для журналаendname0 и "
               u"value0Насос 1endvalue0 конец"_qs
            << QStringList{u"Заголовок для журнала=Насос 1"_qs};
        QTest::newRow("pairs out of order") << u"crc2endcrcname1Bendname1value1bendvalue1name0Aendname0value0aendvalue0"_qs
                                            << QStringList{u"A=a"_qs, u"B=b"_qs};
        QTest::newRow("missing pair tags give empty rows") << u"crc2endcrcname0Aendname0"_qs
                                                           << QStringList{u"A="_qs, u"="_qs};
        QTest::newRow("duplicates kept") << u"crc2endcrcname0Kendname0value01endvalue0name1Kendname1value12endvalue1"_qs
                                         << QStringList{u"K=1"_qs, u"K=2"_qs};
        QTest::newRow("tags are case-sensitive") << u"crc1endcrcNAME0Aendname0value0aendvalue0"_qs
                                                 << QStringList{u"=a"_qs};
        QTest::newRow("count with leading spaces") << u"crc 1endcrcname0Kendname0value0vendvalue0"_qs
                                                   << QStringList{u"K=v"_qs};
        QTest::newRow("hex count") << u"crc$2endcrcname0Aendname0name1Bendname1"_qs
                                   << QStringList{u"A="_qs, u"B="_qs};
        QTest::newRow("first occurrence of the count tags")
            << u"crc1endcrcname0crc9endcrcendname0value0vendvalue0"_qs << QStringList{u"crc9endcrc=v"_qs};

        // Eleven pairs written from 10 down to 0: the first occurrence of "name1" is inside the
        // opening tag of pair 10, so pair 1 reads its key from there.
        QString eleven = u"crc11endcrc"_qs;
        for (int i = 10; i >= 0; --i)
            eleven += QStringLiteral("name%1K%1endname%1value%1V%1endvalue%1").arg(i);
        QStringList elevenRows;
        for (int i = 0; i <= 10; ++i)
            elevenRows << QStringLiteral("K%1=V%1").arg(i);
        elevenRows[1] = u"0K10=0V10"_qs;  // "endname1" is found inside "endname10" as well
        QTest::newRow("eleven pairs out of order") << eleven << elevenRows;
    }

    void parse()
    {
        QFETCH(QString, hint);
        QFETCH(QStringList, rows);
        FormControl control(u"TSpinEdit"_qs, u"SpinEdit1"_qs);
        control.setHint(hint);
        ControlConfig config;
        config.append(u"old"_qs, u"row"_qs);
        ParseControlConfig(control, config);
        QCOMPARE(config.rows(), rows);
        ControlConfig lookup;
        ParseControlLookup(control, lookup);
        QCOMPARE(lookup.rows(), rows);
    }

    void countFailures_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("lookupFails");
        QTest::newRow("no count tags") << u"name0Aendname0value0aendvalue0"_qs << false;
        QTest::newRow("empty count") << u"crcendcrc"_qs << false;
        QTest::newRow("endcrc before crc") << u"endcrc crc"_qs << false;
        QTest::newRow("letters") << u"crcabcendcrc"_qs << true;
        QTest::newRow("trailing space") << u"crc2 endcrc"_qs << true;
        QTest::newRow("out of range") << u"crc99999999999endcrc"_qs << true;
    }

    void countFailures()
    {
        QFETCH(QString, hint);
        QFETCH(bool, lookupFails);
        FormControl control(u"TPanel"_qs, u"Panel1"_qs);
        control.setHint(hint);
        ControlConfig config;
        QVERIFY_THROWS_EXCEPTION(ConversionError, ParseControlConfig(control, config));
        ControlConfig lookup;
        lookup.append(u"stale"_qs, u"row"_qs);
        if (lookupFails) {
            QVERIFY_THROWS_EXCEPTION(ConversionError, ParseControlLookup(control, lookup));
        } else {
            ParseControlLookup(control, lookup);
            QVERIFY(lookup.isEmpty());
        }
    }

    void lookupByKey_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("hex code case") << QStringList{u"0a=Авария"_qs} << u"0A"_qs << u"Авария"_qs;
        QTest::newRow("cyrillic case") << QStringList{u"номер байта=5"_qs} << u"НОМЕР БАЙТА"_qs << u"5"_qs;
        QTest::newRow("first row wins") << QStringList{u"K=1"_qs, u"k=2"_qs} << u"K"_qs << u"1"_qs;
        QTest::newRow("missing") << QStringList{u"K=1"_qs} << u"L"_qs << QString();
        QTest::newRow("name ends at the first equals") << QStringList{u"a=b=c"_qs} << u"a"_qs << u"b=c"_qs;
        QTest::newRow("key with equals never matches") << QStringList{u"a=b=c"_qs} << u"a=b"_qs << QString();
        QTest::newRow("empty key matches an empty name") << QStringList{u"=x"_qs} << QString() << u"x"_qs;
    }

    void lookupByKey()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, key);
        QFETCH(QString, value);
        ControlConfig config;
        for (const QString& row : rows) {
            const qsizetype eq = row.indexOf(u'=');
            config.append(row.left(eq), row.mid(eq + 1));
        }
        QCOMPARE(config.rows(), rows);
        QCOMPARE(config.value(key), value);
    }
};

KVT_TEST(ControlConfigTest)
#include "ControlConfigTest.moc"
