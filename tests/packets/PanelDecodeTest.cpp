#include "DecodeFixtures.h"

#include "common/Errors.h"
#include "common/Win1251.h"
#include "forms/DelphiColor.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;

namespace {
// Bytes as hex text.
// The packet hex of a text written in Windows-1251.
QString Hex(const QString& text) { return QString::fromLatin1(ToWin1251(text).toHex().toUpper()); }

ConfigRows PanelRows(const QString& from, const QString& count, const QString& title, const ConfigRows& codes = {})
{
    // The title as pair 1 keeps pair 1's tags from reading as those of pairs 10 and above.
    ConfigRows rows{{"С какого байта", from}, {"Заголовок для журнала", title}, {"Количество байт", count}};
    rows += codes;
    return rows;
}
} // namespace

class PanelDecodeTest : public QObject {
    Q_OBJECT
private slots:
    void textPanel_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("listed"); // entry in the state and forward summaries
        QTest::newRow("hex run") << "2" << "3" << Hex("xABCy") << "ABC" << true;
        QTest::newRow("zero byte shown") << "1" << "1" << "00" << QString(QChar(0)) << true;
        QTest::newRow("cyrillic") << "1" << "2" << "CFE0" << "Па" << true;
        QTest::newRow("incomplete run") << "4" << "3" << Hex("xABCy") << "" << false;
        QTest::newRow("carriage return kept in hex mode") << "1" << "2" << "0D41" << "\rA" << true;
        QTest::newRow("header blanked for space A") << "1" << "7" << Hex("12345 A") << "      A" << true;
        QTest::newRow("marker after position 6") << "T=" << "3" << Hex("header T=21.5") << "21." << true;
        QTest::newRow("marker text too short") << "T=" << "5" << Hex("header T=21") << "" << false;
        QTest::newRow("marker at position 6 counts as shown") << "T=" << "3" << Hex("abcdeT=21.5") << "" << true;
        QTest::newRow("marker absent counts as shown") << "Q=" << "3" << Hex("header T=21.5") << "" << true;
        QTest::newRow("carriage returns left out of text") << "T=" << "2" << Hex("header\r T=4\r2") << "42" << true;
        QTest::newRow("empty from byte") << "" << "3" << Hex("header") << "" << false;
    }
    void textPanel()
    {
        QFETCH(QString, from);
        QFETCH(QString, count);
        QFETCH(QString, packet);
        QFETCH(QString, caption);
        QFETCH(bool, listed);
        DecodeBench bench;
        FormControl* panel = bench.add("TRbPanel", "RbPanel1", PanelRows(from, count, "Темп"));
        panel->setCaption("old");
        const auto result = bench.apply(packet);
        QCOMPARE(panel->caption(), caption);
        QCOMPARE(result->summaries.stateSummary(), listed ? "Темп - " + caption + "; " : QString());
        QCOMPARE(result->summaries.forwardSummary(), listed ? "Темп-" + caption + "; " : QString());

        DecodeBench display;
        FormControl* same = display.add("TRbPanel", "RbPanel1", PanelRows(from, count, "Темп"));
        display.apply(packet, false);
        QCOMPARE(same->caption(), caption);
        QVERIFY(display.summaries().stateSummary().isEmpty());
        QVERIFY(display.summaries().forwardSummary().isEmpty());
    }

    void textPanelWithoutTitleStillListed()
    {
        DecodeBench bench;
        bench.add("TRbPanel", "RbPanel1", PanelRows("1", "1", ""));
        const auto result = bench.apply(Hex("Z"));
        QCOMPARE(result->summaries.stateSummary(), QStringLiteral(" - Z; "));
        QCOMPARE(result->summaries.forwardSummary(), QStringLiteral("-Z; "));
    }

    void statusPanel_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<QString>("state");   // state summary
        QTest::addColumn<QString>("forward"); // forward summary
        const QString t = QStringLiteral("Насос");
        QTest::newRow("hex code") << "2" << "1" << t << "0001" << "Работа" << kColorWhite << "Насос - Работа; " << "Насос-Работа; ";
        QTest::newRow("code case ignored") << "1" << "1" << t << "0A" << "Десять" << kColorWhite << "Насос - Десять; " << "Насос-Десять; ";
        QTest::newRow("two-byte code") << "1" << "2" << t << "0102" << "Пара" << kColorWhite << "Насос - Пара; " << "Насос-Пара; ";
        QTest::newRow("missing code") << "1" << "1" << t << "77" << "" << kColorWhite << "Насос - ; " << "Насос-; ";
        QTest::newRow("incomplete run") << "3" << "1" << t << "0001" << "" << kColorWhite << "" << "Насос-; ";
        QTest::newRow("empty from byte") << "" << "1" << t << "0001" << "" << kColorWhite << "" << "Насос-; ";
        QTest::newRow("no title: no forward entry") << "2" << "1" << "" << "0001" << "Работа" << kColorWhite << " - Работа; " << "";
        QTest::newRow("one space: scroll bar") << "1" << "1" << t << "03" << " Стоп" << kColorScrollBar << "Насос -  Стоп; " << "Насос- Стоп; ";
        QTest::newRow("two spaces: yellow") << "1" << "1" << t << "04" << "  Ждёт" << kColorYellow << "Насос -   Ждёт; " << "Насос-  Ждёт; ";
        QTest::newRow("three spaces: green") << "1" << "1" << t << "05" << "   Норма" << kColorGreen << "Насос -    Норма; " << "Насос-   Норма; ";
        QTest::newRow("four spaces: red") << "1" << "1" << t << "06" << "    Авария" << kColorRed << "Насос -     Авария; " << "Насос-    Авария; ";
        QTest::newRow("two characters stay white") << "1" << "1" << t << "07" << " Z" << kColorWhite << "Насос -  Z; " << "Насос- Z; ";
        QTest::newRow("three spaces only stay white") << "1" << "1" << t << "08" << "   " << kColorWhite << "Насос -    ; " << "Насос-   ; ";
        QTest::newRow("128 shown as dashes") << "1" << "1" << t << "09" << "---" << kColorWhite << "Насос - 128; " << "Насос----; ";
        QTest::newRow("manual mode") << "2" << "1" << "Общее состояние системы" << "014E735F23" << "Ручной режим" << kColorWhite
                                     << "Общее состояние системы - Ручной режим; " << "Общее состояние системы-Ручной режим; ";
        QTest::newRow("manual mode other code") << "1" << "1" << "Общее состояние системы" << "014E735E23" << "Ручной режим" << kColorWhite
                                                << "Общее состояние системы - Ручной режим; " << "Общее состояние системы-Ручной режим; ";
        QTest::newRow("manual mode code anywhere in the text") << "1" << "1" << "Общее состояние системы" << "04E735F230" << "Ручной режим" << kColorWhite
                                                              << "Общее состояние системы - Ручной режим; " << "Общее состояние системы-Ручной режим; ";
        QTest::newRow("manual mode needs the title") << "1" << "1" << t << "014E735F23" << "Работа" << kColorWhite << "Насос - Работа; " << "Насос-Работа; ";
        QTest::newRow("text marker after 6") << "P=" << "2" << t << Hex("header P=0Ax") << "Десять" << kColorWhite << "Насос - Десять; " << "Насос-Десять; ";
        QTest::newRow("text marker at 6") << "P=" << "2" << t << Hex("abcdeP=0Ax") << "" << kColorWhite << "" << "Насос-; ";
        QTest::newRow("text marker absent") << "Q=" << "2" << t << Hex("header P=0Ax") << "" << kColorWhite << "" << "Насос-; ";
        QTest::newRow("Us absent: code from position 2") << "Us" << "2" << t << Hex("x0Ayyyyy") << "Десять" << kColorWhite << "Насос - Десять; " << "Насос-Десять; ";
        QTest::newRow("Us at start") << "Us" << "2" << t << Hex("Us0A") << "Десять" << kColorWhite << "Насос - Десять; " << "Насос-Десять; ";
        QTest::newRow("space S anywhere") << " S" << "2" << t << Hex("a S0A") << "Десять" << kColorWhite << "Насос - Десять; " << "Насос-Десять; ";
        QTest::newRow("code cut by end of text") << "P=" << "2" << t << Hex("header P=A") << "Буква" << kColorWhite << "Насос - Буква; " << "Насос-Буква; ";
    }
    void statusPanel()
    {
        QFETCH(QString, from);
        QFETCH(QString, count);
        QFETCH(QString, title);
        QFETCH(QString, packet);
        QFETCH(QString, caption);
        QFETCH(quint32, colour);
        QFETCH(QString, state);
        QFETCH(QString, forward);
        const ConfigRows codes{{"01", "Работа"}, {"0a", "Десять"}, {"0102", "Пара"}, {"03", " Стоп"}, {"04", "  Ждёт"},
                               {"05", "   Норма"}, {"06", "    Авария"}, {"07", " Z"}, {"08", "   "}, {"09", "128"},
                               {"0A", "второе"}, {"A", "Буква"}};
        DecodeBench bench;
        FormControl* panel = bench.add("TPanel", "Panel1", PanelRows(from, count, title, codes));
        panel->setColor(kColorRed);
        panel->setCaption("old");
        const auto result = bench.apply(packet);
        QCOMPARE(panel->caption(), caption);
        QCOMPARE(panel->color(), colour);
        QCOMPARE(result->summaries.stateSummary(), state);
        QCOMPARE(result->summaries.forwardSummary(), forward);

        DecodeBench display;
        FormControl* same = display.add("TPanel", "Panel1", PanelRows(from, count, title, codes));
        display.apply(packet, false);
        QCOMPARE(same->caption(), caption);
        QCOMPARE(same->color(), colour);
        QVERIFY(display.summaries().stateSummary().isEmpty());
        QCOMPARE(display.summaries().forwardSummary(), forward);
    }

    void lookupTextUsedUpTo255Characters()
    {
        DecodeBench bench;
        FormControl* panel = bench.add("TPanel", "Panel1", PanelRows("1", "1", "", {{"01", QString(300, QLatin1Char('x'))}}));
        bench.apply("01");
        QCOMPARE(panel->caption().size(), 255);
    }

    void conversionFailures_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("packet");
        QTest::newRow("text panel hex letters in byte number") << "TRbPanel" << "1A" << "1" << "0001";
        QTest::newRow("text panel empty count") << "TRbPanel" << "1" << "" << "0001";
        QTest::newRow("text panel count in text mode") << "TRbPanel" << "T=" << "x" << Hex("header T=1");
        QTest::newRow("text panel packet not hex") << "TRbPanel" << "T=" << "1" << "ZZ";
        QTest::newRow("status panel empty count") << "TPanel" << "1" << "" << "0001";
        QTest::newRow("status panel count with Us") << "TPanel" << "Us" << "?" << "0001";
    }
    void conversionFailures()
    {
        QFETCH(QString, className);
        QFETCH(QString, from);
        QFETCH(QString, count);
        QFETCH(QString, packet);
        DecodeBench bench;
        bench.add(className, "P", PanelRows(from, count, "T"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, bench.apply(packet));
    }

    void countUnreadWhenMarkerGivesNoCaption()
    {
        DecodeBench bench;
        bench.add("TRbPanel", "RbPanel1", PanelRows("T=", "x", "T"));
        bench.add("TPanel", "Panel1", PanelRows("T=", "x", "T"));
        QVERIFY(bench.apply(Hex("T=1")));
    }
};

KVT_TEST(PanelDecodeTest)
#include "PanelDecodeTest.moc"
