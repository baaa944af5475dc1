#include "DecodeFixtures.h"

#include "common/Errors.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;

namespace {
ConfigRows LedRows(const QString& byte, const QString& bit, const QString& on, const QString& off,
                   const QString& alarm, const QString& title)
{
    return {{"Номер байта", byte}, {"Номер бита", bit},       {"Значение включенного", on},
            {"Значение выключенного", off}, {"Аварийное значение", alarm}, {"Заголовок для журнала", title}};
}
} // namespace

class LedDecodeTest : public QObject {
    Q_OBJECT
private slots:
    void lamp_data()
    {
        QTest::addColumn<QString>("byte");
        QTest::addColumn<QString>("bit");
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<bool>("lit");
        QTest::addColumn<bool>("blinking");
        QTest::addColumn<bool>("alarmRaised");

        // One bit.
        QTest::newRow("bit set, on 1") << "1" << "0" << "1" << "0" << "" << "01" << true << false << false;
        QTest::newRow("bit clear, on 1") << "1" << "0" << "1" << "0" << "" << "FE" << false << false << false;
        QTest::newRow("bit 7 is most significant") << "2" << "7" << "1" << "0" << "" << "0080" << true << false << false;
        QTest::newRow("bit 3 of A") << "1" << "3" << "1" << "0" << "" << "0A" << true << false << false;
        QTest::newRow("bit 2 of A") << "1" << "2" << "1" << "0" << "" << "0A" << false << false << false;
        QTest::newRow("on value 0") << "1" << "0" << "0" << "1" << "" << "00" << true << false << false;
        QTest::newRow("alarm on set bit") << "1" << "0" << "1" << "0" << "1" << "01" << true << false << true;
        QTest::newRow("alarm only by alarm value") << "1" << "0" << "1" << "0" << "0" << "00" << false << false << true;
        QTest::newRow("byte beyond packet") << "3" << "0" << "1" << "0" << "1" << "FFFF" << false << false << false;
        QTest::newRow("byte zero outside") << "0" << "0" << "1" << "0" << "1" << "FFFF" << false << false << false;
        QTest::newRow("negative byte outside") << "-1" << "0" << "1" << "0" << "1" << "FFFF" << false << false << false;
        QTest::newRow("bit 8 matches nothing") << "1" << "8" << "1" << "0" << "1" << "FF" << false << false << false;
        QTest::newRow("bit -1 matches nothing") << "1" << "-1" << "1" << "0" << "0" << "00" << false << false << false;
        QTest::newRow("two-character value never matches") << "1" << "0" << "11" << "0" << "" << "FF" << false << false << false;
        QTest::newRow("empty on value never matches") << "1" << "0" << "" << "0" << "" << "FF" << false << false << false;
        QTest::newRow("half byte, high bits") << "2" << "7" << "1" << "0" << "" << "008" << true << false << false;
        QTest::newRow("half byte, low bits missing") << "2" << "0" << "1" << "0" << "1" << "00F" << false << false << false;
        QTest::newRow("lower-case hex") << "1" << "0" << "1" << "0" << "" << "0b" << true << false << false;

        // Two bits 0 and 1 of byte 1, on 1 / off 0 for both, alarm on the first bit, comma after it.
        QTest::newRow("pair 0: off") << "1,1" << "0,1" << "1,1" << "0,0" << "1," << "00" << false << false << false;
        QTest::newRow("pair 1: blinks, alarm") << "1,1" << "0,1" << "1,1" << "0,0" << "1," << "01" << true << true << true;
        QTest::newRow("pair 2: blinks") << "1,1" << "0,1" << "1,1" << "0,0" << "1," << "02" << true << true << false;
        QTest::newRow("pair 3: on, alarm") << "1,1" << "0,1" << "1,1" << "0,0" << "1," << "03" << true << false << true;
        QTest::newRow("second bit in another byte") << "1,2" << "0,7" << "1,1" << "0,0" << "," << "0180" << true << false << false;
        QTest::newRow("second byte beyond packet: undetermined") << "1,5" << "0,0" << "1,1" << "0,0" << "," << "01" << true << false << false;
        QTest::newRow("first off, second beyond: off") << "1,5" << "0,0" << "1,1" << "0,0" << "," << "00" << false << false << false;
        QTest::newRow("first undetermined, second on: off") << "1,1" << "0,1" << "x,1" << "y,0" << "," << "02" << false << false << false;
        QTest::newRow("second parts after the first comma") << "1,1" << "0,1" << "1,1,1" << "0,0" << "," << "03" << true << false << false;
        QTest::newRow("alarm second part is no alarm") << "1,1" << "0,1" << "1,1" << "0,0" << "1,1" << "02" << true << true << false;
        QTest::newRow("no comma in alarm: second ignored") << "1,1" << "0,1" << "1,1" << "0,0" << "" << "01" << true << false << false;
    }
    void lamp()
    {
        QFETCH(QString, byte);
        QFETCH(QString, bit);
        QFETCH(QString, on);
        QFETCH(QString, off);
        QFETCH(QString, alarm);
        QFETCH(QString, packet);
        QFETCH(bool, lit);
        QFETCH(bool, blinking);
        QFETCH(bool, alarmRaised);

        DecodeBench bench;
        FormControl* led = bench.add("TComLed", "ComLed1", LedRows(byte, bit, on, off, alarm, "Насос"));
        led->setOn(true);
        const auto result = bench.apply(packet, true);
        QVERIFY(result);
        QCOMPARE(led->isOn(), lit);
        QCOMPARE(led->helpContext() == kBlinkingMarker, blinking);
        QCOMPARE(bench.timer.isActive(MainTimer::Timer_mig), blinking);
        QCOMPARE(result->summaries.alarm(), alarmRaised);
        QCOMPARE(result->summaries.alarmSummary(), alarmRaised ? QStringLiteral("Насос; ") : QString());
        QCOMPARE(result->summaries.forwardAlarms(), alarmRaised ? QStringLiteral("Насос;") : QString());
        QVERIFY(result->summaries.stateSummary().isEmpty());
        QVERIFY(result->summaries.forwardSummary().isEmpty());

        // Display only: the same picture, never an alarm.
        DecodeBench display;
        FormControl* same = display.add("TComLed", "ComLed1", LedRows(byte, bit, on, off, alarm, "Насос"));
        QVERIFY(!display.apply(packet, false));
        QCOMPARE(same->isOn(), lit);
        QVERIFY(!display.summaries().alarm());
        QVERIFY(display.summaries().alarmSummary().isEmpty());
    }

    void alarmWithoutTitleRaisesFlagOnly()
    {
        DecodeBench bench;
        bench.add("TComLed", "ComLed1", LedRows("1", "0", "1", "0", "1", ""));
        const auto result = bench.apply("01");
        QVERIFY(result->summaries.alarm());
        QVERIFY(result->summaries.alarmSummary().isEmpty());
        QVERIFY(result->summaries.forwardAlarms().isEmpty());
    }

    void blinkMarkerKeptWhileByteIsOutside()
    {
        DecodeBench bench;
        FormControl* led = bench.add("TComLed", "ComLed1", LedRows("3,3", "0,1", "1,1", "0,0", ",", ""));
        led->setHelpContext(kBlinkingMarker);
        bench.apply("0102");
        QCOMPARE(led->helpContext(), kBlinkingMarker);
        QVERIFY(!led->isOn());
        // It goes on blinking: the blink timer runs while a lamp carries the marker.
        QVERIFY(bench.timer.isActive(MainTimer::Timer_mig));
        QCOMPARE(bench.timer.stopsOf(MainTimer::Timer_mig), 1);
        // Its next decoding with the byte inside clears the marker, and the timer stays stopped.
        bench.apply("000000");
        QCOMPARE(led->helpContext(), 0);
        QVERIFY(!bench.timer.isActive(MainTimer::Timer_mig));
    }

    void blinkTimerStoppedAtStartStartedByBlinkingLamp()
    {
        DecodeBench bench;
        bench.add("TComLed", "ComLed1", LedRows("1,1", "0,1", "1,1", "0,0", ",", ""));
        bench.apply("01");
        QVERIFY(bench.timer.isActive(MainTimer::Timer_mig));
        QCOMPARE(bench.timer.startsOf(MainTimer::Timer_mig), 1);
        bench.apply("03");
        QVERIFY(!bench.timer.isActive(MainTimer::Timer_mig));
        QCOMPARE(bench.timer.stopsOf(MainTimer::Timer_mig), 2);
    }

    void gateLamp_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("gk");
        QTest::newRow("lit: open") << "01" << "GK-otkr";
        QTest::newRow("out: closed") << "00" << "GK-zakr";
        QTest::newRow("byte outside: closed") << "" << "GK-zakr";
    }
    void gateLamp()
    {
        QFETCH(QString, packet);
        QFETCH(QString, gk);
        DecodeBench bench;
        bench.add("TComLed", "ComLed1", LedRows("1", "0", "1", "0", "", "ГК"));
        QCOMPARE(bench.apply(packet)->summaries.gkText(), gk);
        bench.apply(packet, false);
        QCOMPARE(bench.summaries().gkText(), gk);
    }

    void conversionFailures_data()
    {
        QTest::addColumn<QString>("byte");
        QTest::addColumn<QString>("bit");
        QTest::addColumn<QString>("alarm");
        QTest::newRow("byte number not a number") << "x" << "0" << "";
        QTest::newRow("empty byte number") << "" << "0" << "";
        QTest::newRow("bit number not a number") << "1" << "b" << "";
        QTest::newRow("second byte missing with comma alarm") << "1" << "0" << "1,";
        QTest::newRow("second bit missing with comma alarm") << "1,1" << "0" << "1,";
    }
    void conversionFailures()
    {
        QFETCH(QString, byte);
        QFETCH(QString, bit);
        QFETCH(QString, alarm);
        DecodeBench bench;
        bench.add("TComLed", "ComLed1", LedRows(byte, bit, "1", "0", alarm, ""));
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply("FF"));
    }

    void bitNumberUnreadWhileByteOutside()
    {
        DecodeBench bench;
        bench.add("TComLed", "ComLed1", LedRows("9", "not a number", "1", "0", "", ""));
        QVERIFY(bench.apply("FF"));
    }

    void configurationValuesUsedUpTo255Characters()
    {
        DecodeBench bench;
        const QString longTitle = QString(255, QLatin1Char('T'));
        bench.add("TComLed", "ComLed1", LedRows("1", "0", "1", "0", "1", longTitle + "tail"));
        QCOMPARE(bench.apply("01")->summaries.alarmSummary(), longTitle + "; ");
    }
};

KVT_TEST(LedDecodeTest)
#include "LedDecodeTest.moc"
