#include "DecodeFixtures.h"

#include "common/Errors.h"
#include "common/Win1251.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;

namespace {
// The packet hex of a text written in Windows-1251.
QString Hex(const QString& text) { return QString::fromLatin1(ToWin1251(text).toHex().toUpper()); }

ConfigRows Rows(const QString& from, const QString& count, const QString& title)
{
    return {{"С какого байта", from}, {"Количество байт", count}, {"Заголовок для журнала", title}};
}
ConfigRows FieldRows(const QString& from, const QString& count, const QString& title)
{
    return {{"С какого байта принимать", from}, {"Количество байт", count}, {"Заголовок для журнала", title}};
}
ConfigRows LedRows(const QString& byte, const QString& bit, const QString& alarm, const QString& title)
{
    return {{"Номер байта", byte}, {"Номер бита", bit}, {"Значение включенного", "1"},
            {"Значение выключенного", "0"}, {"Аварийное значение", alarm}, {"Заголовок для журнала", title}};
}
} // namespace

class ApplyStatePacketTest : public QObject {
    Q_OBJECT
private slots:
    void fullCallHandsOverEverything()
    {
        DecodeBench bench;
        bench.add("TStaticText", "StaticText1", Rows("1", "1", "Давление"));
        bench.add("TComLed", "ComLed1", LedRows("2", "0", "1", "Насос"));
        bench.add("TSpinEdit", "SpinEdit1", FieldRows("3", "1", "Период"), kLinkCheckMarker);
        const auto result = bench.apply("0A0105");
        QVERIFY(result);
        QCOMPARE(result->stamp, QStringLiteral("01.02.24  10:30"));
        QCOMPARE(result->objectName, QStringLiteral("Насосная 1"));
        QCOMPARE(result->phone, QStringLiteral("79123456789"));
        QVERIFY(result->summaries.alarm());
        QCOMPARE(result->summaries.stateSummary(), QStringLiteral("Давление - 10; "));
        QCOMPARE(result->summaries.alarmSummary(), QStringLiteral("Насос; "));
        QCOMPARE(result->summaries.forwardAlarms(), QStringLiteral("Насос;"));
        QCOMPARE(result->summaries.settingsSummary(), QStringLiteral("Период - 5; "));
        QCOMPARE(result->summaries.forwardSummary(), QStringLiteral("Давление-10; "));
        QCOMPARE(*result->summaries.linkCheck(), QStringLiteral("5"));
    }

    void entriesFollowVisitingOrder()
    {
        // Lamps (no window of their own) come before windowed controls, each group in file order.
        DecodeBench bench;
        bench.add("TStaticText", "A", Rows("1", "1", "первый"));
        bench.add("TComLed", "B", LedRows("1", "0", "1", "лампа"));
        bench.add("TEdit", "C", FieldRows("1", "1", "поле"), 0);
        bench.add("TLabel", "D", Rows("1", "1", "надпись"));
        bench.add("TStaticText", "E", Rows("1", "1", "второй"));
        const auto result = bench.apply("01");
        QCOMPARE(result->summaries.stateSummary(), QStringLiteral("первый - 1; поле - 01; второй - 1; "));
        QCOMPARE(result->summaries.forwardSummary(), QStringLiteral("первый-1; поле-01; второй-1; "));
        QStringList handled;
        for (FormControl* c : bench.decoder.handledControls())
            handled << c->name();
        QCOMPARE(handled, QStringList({"B", "A", "C", "E"}));
    }

    void packetEndsAtNul()
    {
        DecodeBench bench;
        FormControl* field = bench.add("TEdit", "Edit1", FieldRows("1", "3", "Код"), 0);
        QString packet = QStringLiteral("0102");
        packet.append(QString(508, QChar(0)));
        bench.apply(packet);
        QCOMPARE(field->text(), QStringLiteral("0102"));
    }

    void decimalFieldsConvertedBeforeDecoding()
    {
        DecodeBench bench;
        FormControl* first = bench.add("TStaticText", "First", Rows("8", "2", "Счётчик 1"));
        FormControl* second = bench.add("TStaticText", "Second", Rows("13", "2", "Счётчик 2"));
        FormControl* raw = bench.add("TEdit", "Raw", FieldRows("8", "4", ""), 0);
        const QString packet = QStringLiteral("010203040506") + Hex("A1234E567 ");
        bench.apply(packet);
        QCOMPARE(first->caption(), QStringLiteral("1234"));
        QCOMPARE(second->caption(), QStringLiteral("567"));
        QCOMPARE(raw->text(), QStringLiteral("04D23334"));
    }

    void decimalFieldFailureEndsCallBeforeAnyControl()
    {
        DecodeBench bench;
        FormControl* field = bench.add("TEdit", "Edit1", FieldRows("1", "1", ""), 0);
        field->setText("old");
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply(QStringLiteral("010203040506") + Hex("A12x4E5678")));
        QCOMPARE(field->text(), QStringLiteral("old"));
        QCOMPARE(bench.timer.stopsOf(MainTimer::Timer_mig), 1);
    }

    void failureKeepsWhatHandledControlsShow()
    {
        DecodeBench bench;
        FormControl* before = bench.add("TStaticText", "Before", Rows("1", "1", "Давление"));
        FormControl* failing = bench.add("TStaticText", "Failing", Rows("1", "x", "Плохой"));
        FormControl* after = bench.add("TStaticText", "After", Rows("1", "1", "После"));
        failing->setVisible(false);
        after->setCaption("old");
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply("0A"));
        QCOMPARE(before->caption(), QStringLiteral("10"));
        QCOMPARE(after->caption(), QStringLiteral("old"));
        QVERIFY(!failing->isVisible());
        QCOMPARE(bench.decoder.handledControls().size(), size_t(1));
        QCOMPARE(bench.summaries().stateSummary(), QStringLiteral("Давление - 10; "));
    }

    void controlWithoutValidCountEndsCall()
    {
        DecodeBench bench;
        bench.add("TPanel", "Panel1", QStringLiteral("Подсказка без настройки"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply("01"));
    }

    void configurationFollowsTheHint()
    {
        // The configuration is parsed once per Hint: a count that is no integer fails the call at
        // that control on every packet, and a new Hint is decoded from the next packet on.
        DecodeBench bench;
        FormControl* before = bench.add("TStaticText", "Before", Rows("1", "1", "Давление"));
        FormControl* failing = bench.add("TStaticText", "Failing", QStringLiteral("crc2 endcrc"));
        for (int packet = 0; packet < 2; ++packet) {
            before->setCaption(QString());
            QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply("0A"));
            QCOMPARE(before->caption(), QStringLiteral("10"));
            QCOMPARE(bench.decoder.handledControls().size(), size_t(1));
        }
        failing->setHint(ConfigHint(Rows("1", "1", "Уровень")));
        QCOMPARE(bench.apply("0B")->summaries.stateSummary(), QStringLiteral("Давление - 11; Уровень - 11; "));
        failing->setHint(ConfigHint(Rows("1", "1", "Напор")));
        QCOMPARE(bench.apply("0B")->summaries.stateSummary(), QStringLiteral("Давление - 11; Напор - 11; "));
    }

    void decorationsAndButtonsNeverDecoded()
    {
        DecodeBench bench;
        bench.add("TSpeedButton", "SpeedButton1", QStringLiteral("no count"));
        bench.add("TLabel", "Label1", QStringLiteral("no count"));
        bench.add("TTabSet", "TabSet1", QStringLiteral("no count"));
        bench.add("TMemo", "Memo1", QStringLiteral("no count"));
        QVERIFY(bench.apply("01"));
        QVERIFY(bench.decoder.handledControls().empty());
    }

    void visibilityRestoredAfterHandling()
    {
        DecodeBench bench;
        FormControl* hidden = bench.add("TStaticText", "Hidden", Rows("1", "1", ""));
        hidden->setVisible(false);
        int shownWhileHandled = 0;
        QObject::connect(hidden, &FormControl::changed, [&] { shownWhileHandled += hidden->isVisible() ? 1 : 0; });
        bench.apply("01");
        QVERIFY(!hidden->isVisible());
        QVERIFY(shownWhileHandled > 0);
        QCOMPARE(hidden->caption(), QStringLiteral("1"));
    }

    void noFormStillHandsOver()
    {
        test::FakeMainTimers timer;
        StatePacketDecoder decoder(timer, QLatin1Char('.'));
        const auto result = decoder.ApplyStatePacket(nullptr, u"01", true, "s", "n", "p", nullptr);
        QVERIFY(result);
        QVERIFY(result->summaries.stateSummary().isEmpty());
        QCOMPARE(timer.stopsOf(MainTimer::Timer_mig), 1);
    }

    void summariesCappedAt1024()
    {
        DecodeBench bench;
        const QString title = QString(200, QLatin1Char('t'));
        for (int i = 0; i < 8; ++i) {
            bench.add("TStaticText", QStringLiteral("V%1").arg(i), {{"С какого байта", "1"}, {"Количество байт", "1"},
                       {"Минимальное значение", "0"}, {"Максимальное значение", "1"}, {"Заголовок для журнала", title}});
        }
        const auto result = bench.apply("FF");
        QCOMPARE(result->summaries.stateSummary().size(), StateSummaries::kSummaryLimit);
        QCOMPARE(result->summaries.alarmSummary().size(), StateSummaries::kSummaryLimit);
        QCOMPARE(result->summaries.forwardSummary().size(), 8 * (200 + 1 + 3 + 2));
    }

    void newCallStartsFromEmptySummaries()
    {
        DecodeBench bench;
        bench.add("TComLed", "ComLed1", LedRows("1", "0", "1", "Насос"));
        QVERIFY(bench.apply("01")->summaries.alarm());
        const auto second = bench.apply("00");
        QVERIFY(!second->summaries.alarm());
        QVERIFY(second->summaries.alarmSummary().isEmpty());
    }
};

KVT_TEST(ApplyStatePacketTest)
#include "ApplyStatePacketTest.moc"
