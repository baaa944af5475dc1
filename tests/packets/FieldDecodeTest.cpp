#include "DecodeFixtures.h"

#include "common/Errors.h"
#include "common/Win1251.h"
#include "forms/DelphiColor.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;

namespace {
// The packet hex of a text written in Windows-1251.
QString Hex(const QString& text) { return QString::fromLatin1(ToWin1251(text).toHex().toUpper()); }

ConfigRows FieldRows(const QString& from, const QString& count, const QString& title)
{
    return {{"С какого байта принимать", from}, {"Количество байт", count}, {"Заголовок для журнала", title}};
}

ConfigRows ValueRows(const QString& from, const QString& count, const QString& title, const QString& min = {},
                     const QString& max = {})
{
    ConfigRows rows{{"С какого байта", from}, {"Количество байт", count}, {"Заголовок для журнала", title}};
    if (!min.isNull())
        rows.append({"Минимальное значение", min});
    if (!max.isNull())
        rows.append({"Максимальное значение", max});
    return rows;
}

ConfigRows BoxRows(const QString& from, const QString& count, const QString& title, const QString& multiple = {})
{
    ConfigRows rows{{"С какого байта принимать", from}, {"Количество байт", count}, {"Заголовок для журнала", title}};
    if (!multiple.isNull())
        rows.append({"Передавать кратно", multiple});
    return rows;
}
} // namespace

class FieldDecodeTest : public QObject {
    Q_OBJECT
private slots:
    void dataField_data()
    {
        QTest::addColumn<int>("marker");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("state");
        QTest::newRow("hex") << 0 << "2" << "2" << "0A0B0C" << "0B0C" << "Код - 0B0C; ";
        QTest::newRow("one zero byte") << 0 << "1" << "1" << "00" << "00" << "Код - 00; ";
        QTest::newRow("hex incomplete shows what there is") << 0 << "2" << "3" << "0A0B0C" << "0B0C" << "";
        QTest::newRow("hex wholly outside") << 0 << "5" << "1" << "0A0B0C" << "" << "";
        QTest::newRow("characters") << 1 << "1" << "3" << Hex("Дом") << "Дом" << "Код - Дом; ";
        QTest::newRow("characters keep zero byte") << 1 << "1" << "1" << "00" << QString(QChar(0)) << "Код - " + QString(QChar(0)) + "; ";
        QTest::newRow("characters incomplete stay empty") << 1 << "2" << "3" << Hex("Дом") << "" << "";
        QTest::newRow("from not a number text") << 0 << "" << "2" << "0A0B" << "" << "";
        QTest::newRow("from with lower-case hex is not decoded") << 0 << "1a" << "2" << "0A0B" << "" << "";
    }
    void dataField()
    {
        QFETCH(int, marker);
        QFETCH(QString, from);
        QFETCH(QString, count);
        QFETCH(QString, packet);
        QFETCH(QString, text);
        QFETCH(QString, state);
        DecodeBench bench;
        FormControl* field = bench.add("TEdit", "Edit1", FieldRows(from, count, "Код"), marker);
        field->setText("old");
        field->setColor(kColorRed);
        const auto result = bench.apply(packet);
        QCOMPARE(field->text(), text);
        QCOMPARE(field->color(), kColorWhite);
        QCOMPARE(result->summaries.stateSummary(), state);
        QCOMPARE(result->summaries.forwardSummary(), "Код-" + text + "; ");

        bench.apply(packet, false);
        QCOMPARE(field->text(), text);
        QVERIFY(bench.summaries().stateSummary().isEmpty());
        QCOMPARE(bench.summaries().forwardSummary(), "Код-" + text + "; ");
    }

    void dataFieldForwardedEvenWithoutTitle()
    {
        DecodeBench bench;
        bench.add("TEdit", "Edit1", FieldRows("1", "1", ""), 0);
        QCOMPARE(bench.apply("7F")->summaries.forwardSummary(), QStringLiteral("-7F; "));
    }

    void dataFieldWithOtherMarkerLeftAlone()
    {
        DecodeBench bench;
        FormControl* field = bench.add("TEdit", "Edit1", QStringLiteral("no configuration at all"), 2);
        field->setText("kept");
        const auto result = bench.apply("0102");
        QCOMPARE(field->text(), QStringLiteral("kept"));
        QVERIFY(result->summaries.forwardSummary().isEmpty());
        QVERIFY(bench.decoder.handledControls().empty());
    }

    void valueText_data()
    {
        QTest::addColumn<ConfigRows>("rows");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("forward");
        QTest::newRow("unsigned") << ValueRows("1", "2", "Давление") << "0102" << "258" << false << "Давление - 258; " << "Давление-258; ";
        QTest::newRow("zero") << ValueRows("1", "1", "Давление") << "00" << "0" << false << "Давление - 0; " << "Давление-0; ";
        QTest::newRow("four bytes unsigned") << ValueRows("1", "4", "Счёт") << "FFFFFFFF" << "4294967295" << false << "Счёт - 4294967295; " << "Счёт-4294967295; ";
        QTest::newRow("in range") << ValueRows("1", "1", "Т", "10", "20") << "14" << "20" << false << "Т - 20; " << "Т-20; ";
        QTest::newRow("above range") << ValueRows("1", "1", "Т", "10", "20") << "15" << "21" << true << "Т - 21; " << "Т-21; ";
        QTest::newRow("below range") << ValueRows("1", "1", "Т", "10", "20") << "09" << "9" << true << "Т - 9; " << "Т-9; ";
        QTest::newRow("one bound only: no check") << ValueRows("1", "1", "Т", "10") << "FF" << "255" << false << "Т - 255; " << "Т-255; ";
        QTest::newRow("incomplete") << ValueRows("2", "1", "Т", "10", "20") << "15" << "" << false << "" << "Т-; ";
        QTest::newRow("no title") << ValueRows("1", "1", "") << "15" << "21" << false << " - 21; " << "";
        QTest::newRow("water flow") << ValueRows("1", "2", "Текущий расход воды") << "04D2" << "123.4" << false
                                    << "Текущий расход воды - 123.4; " << "Текущий расход воды-123.4; ";
        QTest::newRow("water flow whole") << ValueRows("1", "1", "Текущий расход воды", "0", "1") << "14" << "2" << false
                                          << "Текущий расход воды - 2; " << "Текущий расход воды-2; ";
        QTest::newRow("energy A") << ValueRows("1", "4", "Расход эл. энергии (A)") << "449A5000" << "1234.50" << false
                                  << "Расход эл. энергии (A) - 1234.50; " << "Расход эл. энергии (A)-1234.50; ";
        QTest::newRow("energy R negative") << ValueRows("1", "4", "Расход эл. энергии (R)") << "C0100000" << "-2.25" << false
                                           << "Расход эл. энергии (R) - -2.25; " << "Расход эл. энергии (R)--2.25; ";
        QTest::newRow("energy double") << ValueRows("1", "8", "Расход эл. энергии (A)") << "4059000000000000" << "100.00" << false
                                       << "Расход эл. энергии (A) - 100.00; " << "Расход эл. энергии (A)-100.00; ";
        QTest::newRow("energy zero") << ValueRows("1", "4", "Расход эл. энергии (A)") << "00000000" << "0.00" << false
                                     << "Расход эл. энергии (A) - 0.00; " << "Расход эл. энергии (A)-0.00; ";
        QTest::newRow("text marker") << ValueRows("U=", "3", "Напр") << Hex("xxU=220V") << "220" << false << "Напр - 220; " << "Напр-220; ";
        QTest::newRow("text marker at start") << ValueRows("U=", "3", "Напр") << Hex("U=220V") << "220" << false << "Напр - 220; " << "Напр-220; ";
        QTest::newRow("text cut by end") << ValueRows("U=", "5", "Напр") << Hex("U=22") << "22" << false << "Напр - 22; " << "Напр-22; ";
        QTest::newRow("text above range") << ValueRows("U=", "3", "Напр", "200", "240") << Hex("U=250") << "250" << true << "Напр - 250; " << "Напр-250; ";
        QTest::newRow("text marker absent") << ValueRows("U=", "3", "Напр") << Hex("I=5") << "" << false << "Напр - ; " << "Напр-; ";
        QTest::newRow("empty from byte") << ValueRows("", "3", "Напр", "1", "2") << "FF" << "" << false << "" << "Напр-; ";
    }
    void valueText()
    {
        QFETCH(ConfigRows, rows);
        QFETCH(QString, packet);
        QFETCH(QString, caption);
        QFETCH(bool, alarm);
        QFETCH(QString, state);
        QFETCH(QString, forward);
        DecodeBench bench;
        FormControl* text = bench.add("TStaticText", "StaticText1", rows);
        text->setCaption("old");
        const auto result = bench.apply(packet);
        QCOMPARE(text->caption(), caption);
        QCOMPARE(result->summaries.alarm(), alarm);
        const QString title = rows.at(2).second;
        QCOMPARE(result->summaries.alarmSummary(), alarm && !title.isEmpty() ? title + "; " : QString());
        QCOMPARE(result->summaries.stateSummary(), state);
        QCOMPARE(result->summaries.forwardSummary(), forward);

        // Display only: the same caption, no alarm, no state entries.
        bench.apply(packet, false);
        QCOMPARE(text->caption(), caption);
        QVERIFY(!bench.summaries().alarm());
        QVERIFY(bench.summaries().stateSummary().isEmpty());
        QCOMPARE(bench.summaries().forwardSummary(), forward);
    }

    void readingsUseTheGivenDecimalPoint()
    {
        test::FakeMainTimers timer;
        StatePacketDecoder decoder(timer, QLatin1Char(','));
        ObjectForm form;
        auto water = std::make_unique<FormControl>("TStaticText", "Water");
        water->setHint(ConfigHint(ValueRows("1", "2", "Текущий расход воды")));
        FormControl* w = form.addControl(std::move(water));
        auto energy = std::make_unique<FormControl>("TStaticText", "Energy");
        energy->setHint(ConfigHint(ValueRows("3", "4", "Расход эл. энергии (A)")));
        FormControl* e = form.addControl(std::move(energy));
        decoder.ApplyStatePacket(&form, u"04D2449A5000", false, {}, {}, {}, nullptr);
        QCOMPARE(w->caption(), QStringLiteral("123,4"));
        QCOMPARE(e->caption(), QStringLiteral("1234,50"));
    }

    void valueTextFailures_data()
    {
        QTest::addColumn<ConfigRows>("rows");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<bool>("full");
        QTest::newRow("range check of empty text caption") << ValueRows("U=", "3", "Напр", "1", "2") << Hex("I=5") << true;
        QTest::newRow("range check also in display only") << ValueRows("U=", "3", "Напр", "1", "2") << Hex("U=abc") << false;
        QTest::newRow("bound not a number") << ValueRows("1", "1", "Т", "x", "20") << "15" << true;
        QTest::newRow("energy of 3 bytes") << ValueRows("1", "3", "Расход эл. энергии (A)") << "010203" << true;
        QTest::newRow("water of packet not hex") << ValueRows("1", "1", "Текущий расход воды") << "ZZ" << true;
        QTest::newRow("count not a number") << ValueRows("1", "n", "Т") << "15" << true;
    }
    void valueTextFailures()
    {
        QFETCH(ConfigRows, rows);
        QFETCH(QString, packet);
        QFETCH(bool, full);
        DecodeBench bench;
        bench.add("TStaticText", "StaticText1", rows);
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply(packet, full));
    }

    void energyFailureMessage()
    {
        DecodeBench bench;
        bench.add("TStaticText", "StaticText1", ValueRows("1", "2", "Расход эл. энергии (R)"));
        try {
            bench.apply("0102");
            QFAIL("no failure");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QStringLiteral("HexToFloat conversion error"));
        }
    }

    void settingBox_data()
    {
        QTest::addColumn<ConfigRows>("rows");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("settings");
        QTest::newRow("unsigned") << BoxRows("1", "2", "Время") << "0102" << 0 << 0 << 258 << "Время - 258; ";
        QTest::newRow("signed FF") << BoxRows("1", "1", "Сдвиг (Signed)") << "FF" << 0 << 0 << -1 << "Сдвиг (Signed) - -1; ";
        QTest::newRow("signed 7F") << BoxRows("1", "1", "Сдвиг (Signed)") << "7F" << 0 << 0 << 127 << "Сдвиг (Signed) - 127; ";
        QTest::newRow("signed 80") << BoxRows("1", "1", "Сдвиг (Signed)") << "80" << 0 << 0 << -128 << "Сдвиг (Signed) - -128; ";
        QTest::newRow("signed FFFE") << BoxRows("1", "2", "Сдвиг (Signed)") << "FFFE" << 0 << 0 << -2 << "Сдвиг (Signed) - -2; ";
        QTest::newRow("signed 4 bytes") << BoxRows("1", "4", "(Signed)") << "FFFFFFFE" << 0 << 0 << -2 << "(Signed) - -2; ";
        QTest::newRow("unsigned FF") << BoxRows("1", "1", "Сдвиг") << "FF" << 0 << 0 << 255 << "Сдвиг - 255; ";
        QTest::newRow("multiple") << BoxRows("1", "1", "Порог", "10") << "05" << 0 << 0 << 50 << "Порог - 50; ";
        QTest::newRow("multiple uses first byte only") << BoxRows("1", "2", "Порог", "10") << "05FF" << 0 << 0 << 50 << "Порог - 50; ";
        QTest::newRow("multiple, byte EF") << BoxRows("1", "1", "Порог", "2") << "EF" << 0 << 0 << 478 << "Порог - 478; ";
        QTest::newRow("multiple, byte FF is minus one") << BoxRows("1", "1", "Порог", "10") << "FF" << 0 << 0 << -10 << "Порог - -10; ";
        QTest::newRow("multiple, byte F0") << BoxRows("1", "1", "Порог", "1") << "F0" << 0 << 0 << -16 << "Порог - -16; ";
        QTest::newRow("clamped to max") << BoxRows("1", "1", "Порог") << "FF" << 0 << 100 << 100 << "Порог - 100; ";
        QTest::newRow("clamped to min") << BoxRows("1", "1", "Порог (Signed)") << "FF" << 0 << 100 << 0 << "Порог (Signed) - 0; ";
        QTest::newRow("equal bounds: no clamping") << BoxRows("1", "1", "Порог") << "FF" << 5 << 5 << 255 << "Порог - 255; ";
        QTest::newRow("incomplete: zero") << BoxRows("2", "1", "Порог") << "FF" << 0 << 0 << 0 << "";
        QTest::newRow("incomplete: zero clamped") << BoxRows("2", "1", "Порог") << "FF" << 5 << 9 << 5 << "";
        QTest::newRow("run not hex: kept") << BoxRows("1", "1", "Порог") << "0g" << 0 << 0 << 77 << "";
    }
    void settingBox()
    {
        QFETCH(ConfigRows, rows);
        QFETCH(QString, packet);
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, value);
        QFETCH(QString, settings);
        DecodeBench bench;
        FormControl* box = bench.add("TSpinEdit", "SpinEdit1", rows);
        box->setValue(77);
        box->setRange(minValue, maxValue);
        const auto result = bench.apply(packet);
        QCOMPARE(box->value(), value);
        QCOMPARE(box->text(), QString::number(value));
        QCOMPARE(result->summaries.settingsSummary(), settings);
        QVERIFY(!result->summaries.linkCheck());

        bench.apply(packet, false);
        QCOMPARE(box->value(), value);
        QCOMPARE(bench.summaries().settingsSummary(), settings);
    }

    void linkCheckSetting_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<QString>("linkCheck");
        QTest::newRow("value") << "001E" << 0 << "30";
        QTest::newRow("clamped value") << "00FF" << 60 << "60";
        QTest::newRow("incomplete: zero") << "00" << 0 << "0";
        QTest::newRow("incomplete: zero even when shown clamped") << "00" << -5 << "0";
    }
    void linkCheckSetting()
    {
        QFETCH(QString, packet);
        QFETCH(int, maxValue);
        QFETCH(QString, linkCheck);
        DecodeBench bench;
        FormControl* box = bench.add("TSpinEdit", "SpinEdit1", BoxRows("2", "1", "Проверка связи"), kLinkCheckMarker);
        box->setRange(maxValue < 0 ? maxValue - 10 : 0, maxValue);
        const auto result = bench.apply(packet);
        QVERIFY(result->summaries.linkCheck());
        QCOMPARE(*result->summaries.linkCheck(), linkCheck);
        QCOMPARE(bench.linkCheckPeriods.periods, QStringList{linkCheck});
        bench.apply(packet, false);
        QVERIFY(!bench.summaries().linkCheck());
        QCOMPARE(bench.linkCheckPeriods.periods, QStringList{linkCheck});
    }

    void linkCheckUnchangedWhenRunIsNoHex()
    {
        DecodeBench bench;
        bench.add("TSpinEdit", "SpinEdit1", BoxRows("1", "1", "Проверка связи"), kLinkCheckMarker);
        QVERIFY(!bench.apply("G1")->summaries.linkCheck());
        QVERIFY(bench.linkCheckPeriods.periods.isEmpty());
    }

    void linkCheckStoredBeforeALaterControlFails()
    {
        DecodeBench bench;
        bench.add("TSpinEdit", "SpinEdit1", BoxRows("1", "1", "Проверка связи"), kLinkCheckMarker);
        bench.add("TSpinEdit", "SpinEdit2", BoxRows("1", "x", "Другое"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply("0F"));
        QCOMPARE(bench.linkCheckPeriods.periods, QStringList{"15"});
    }

    void settingBoxFailures_data()
    {
        QTest::addColumn<ConfigRows>("rows");
        QTest::addColumn<QString>("packet");
        QTest::newRow("empty from") << BoxRows("", "1", "Т") << "01";
        QTest::newRow("empty count") << BoxRows("1", "", "Т") << "01";
        QTest::newRow("multiple not a number") << BoxRows("1", "1", "Т", "x") << "01";
        QTest::newRow("more than 32 bits") << BoxRows("1", "5", "Т") << "0100000000";
    }
    void settingBoxFailures()
    {
        QFETCH(ConfigRows, rows);
        QFETCH(QString, packet);
        DecodeBench bench;
        bench.add("TSpinEdit", "SpinEdit1", rows);
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply(packet));
    }
};

KVT_TEST(FieldDecodeTest)
#include "FieldDecodeTest.moc"
