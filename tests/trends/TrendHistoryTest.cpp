#include "support/RecordingFormHandlers.h"
#include "support/RecordingSinks.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"
#include "support/TrendStore.h"

#include "forms/CurrentObject.h"
#include "packets/ApplyStatePacket.h"
#include "store/ReceiptStamp.h"
#include "store/StoreReader.h"
#include "trends/TrendCsv.h"
#include "trends/TrendDecoder.h"
#include "trends/TrendNumber.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kvt;
using kvt::test::TrendStore;

namespace {

// The named packets of a sample form, in the order of its .packets file.
QList<QPair<QString, QString>> SamplePackets(const QString& form)
{
    QFile file(qEnvironmentVariable("KVT_SOURCE_DIR") + QStringLiteral("/examples/forms/") + form + QStringLiteral(".packets"));
    file.open(QIODevice::ReadOnly);
    QList<QPair<QString, QString>> packets;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.size() == 2 && !words[0].startsWith(u'#'))
            packets.append({words[0], words[1]});
    }
    return packets;
}

// A stamp one minute after another, from 01.03.24 10:00 on.
QString MinuteStamp(int minute)
{
    return QDateTime(QDate(2024, 3, 1), QTime(10, 0)).addSecs(60 * minute).toString(QStringLiteral("dd.MM.yy  hh:mm"));
}

std::vector<int> AllCandidates(const TrendStore& store)
{
    std::vector<int> all(ReadTrendCatalog(store.object()).candidates.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    return all;
}

QStringList ValueTexts(const TrendTable& table, int column)
{
    QStringList texts;
    for (const TrendRow& row : table.rows)
        texts << (row.values[column] ? row.values[column]->text : QStringLiteral("-"));
    return texts;
}

} // namespace

class TrendHistoryTest : public QObject {
    Q_OBJECT
private slots:
    // Each stored packet gives the numbers the object's form shows when its history entry is
    // selected: the same decoding, drawn on a form of its own.
    void valuesAreWhatTheSelectedEntryShows_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("pumping station") << "pumping-station";
        QTest::newRow("boiler house") << "boiler-house";
        QTest::newRow("water meter") << "water-meter";
    }
    void valuesAreWhatTheSelectedEntryShows()
    {
        QFETCH(QString, form);
        TrendStore store(form);
        const auto packets = SamplePackets(form);
        for (int i = 0; i < packets.size(); ++i)
            store.store(MinuteStamp(i), packets[i].second);
        const TrendTable table = store.read(AllCandidates(store));
        QCOMPARE(qsizetype(table.rows.size()), packets.size());

        test::RecordingNotices notices;
        RecordingHandlers handlers;
        test::FakeMainTimers timers;
        CurrentObject shown(store.fixture().programDirectory(), notices);
        shown.setFormHandlers(handlers);
        shown.LoadObjectForm(store.object().formPath);
        StatePacketDecoder decoder(timers);
        int compared = 0;
        for (int i = 0; i < packets.size(); ++i) {
            if (packets[i].first == QLatin1String("short"))
                continue; // a cut packet: see gapsWherePacketsDoNotCarryAValue
            decoder.showStoredPacket(shown, packets[i].second);
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                const TrendControl& column = table.columns[c];
                const QString text = ShownTrendText(*shown.form()->control(column.name), column.readout);
                const std::optional<TrendValue>& value = table.rows[i].values[c];
                const QString where = packets[i].first + QLatin1Char(' ') + column.name;
                QCOMPARE(value.has_value(), ReadTrendNumber(text).has_value());
                if (value) {
                    QVERIFY2(value->text == text.trimmed(), qPrintable(where));
                    QCOMPARE(value->number, *ReadTrendNumber(text));
                    ++compared;
                }
            }
        }
        QVERIFY(compared >= 2 * packets.size());
    }

    // Alarm packets are those full processing raises an alarm for, and finding them leaves the
    // object's record, books and link-check setting as they were.
    void alarmsAreMarkedWithoutTheClosingSteps_data() { valuesAreWhatTheSelectedEntryShows_data(); }
    void alarmsAreMarkedWithoutTheClosingSteps()
    {
        QFETCH(QString, form);
        TrendStore store(form);
        const auto packets = SamplePackets(form);
        for (int i = 0; i < packets.size(); ++i)
            store.store(MinuteStamp(i), packets[i].second);
        store.fixture().registry().objects().locateByCode(TrendStore::kCode);
        const registry::ObjectRecord before = store.fixture().registry().objects().currentRow();

        const TrendTable table = store.read({0});
        QStringList marked;
        for (int i = 0; i < packets.size(); ++i) {
            if (table.rows[i].alarm)
                marked << packets[i].first;
        }
        QCOMPARE(marked, QStringList{"alarm"}); // the sample packet of each form that raises one
        store.fixture().registry().objects().refreshCurrent();
        QCOMPARE(store.fixture().registry().objects().currentRow(), before);
        const QDir home(store.fixture().programDirectory());
        QCOMPARE(home.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Data"});
    }

    // A value is a gap where the packet does not carry it: its bytes lie beyond the packet
    // (the setting box would show 0), or the decoding stopped at a control before it.
    void gapsWherePacketsDoNotCarryAValue()
    {
        TrendStore pumps(QStringLiteral("pumping-station"));
        const QString normal = test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal"));
        pumps.store(MinuteStamp(0), normal);
        pumps.store(MinuteStamp(1), test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("short")));
        pumps.store(MinuteStamp(2), normal);
        const TrendTable cut =
            pumps.read({pumps.candidate(QStringLiteral("StaticPress")), pumps.candidate(QStringLiteral("SpinSetpoint"))});
        QCOMPARE(ValueTexts(cut, 0), (QStringList{"400", "-", "400"}));
        QCOMPARE(ValueTexts(cut, 1), (QStringList{"400", "-", "400"}));

        // "P=3X" is no number: the range check of the boiler pressure fails and ends the call.
        TrendStore boiler(QStringLiteral("boiler-house"));
        QString failing = test::SamplePacket(QStringLiteral("boiler-house"), QStringLiteral("normal"));
        failing.replace(QStringLiteral("503D3332"), QStringLiteral("503D3358"));
        boiler.store(MinuteStamp(0), failing);
        const TrendTable stopped = boiler.read({boiler.candidate(QStringLiteral("RbPanelT1")),
                                                boiler.candidate(QStringLiteral("StaticP")),
                                                boiler.candidate(QStringLiteral("SpinSetT"))});
        QCOMPARE(ValueTexts(stopped, 0), QStringList{"072"});
        QCOMPARE(ValueTexts(stopped, 1), QStringList{"-"});
        QCOMPARE(ValueTexts(stopped, 2), QStringList{"-"});
        QVERIFY(!stopped.rows[0].alarm);
    }

    // Rows follow the receipt time, across a year end too, whatever order the packets were
    // stored in; stamps that name no time are skipped and counted.
    void rowsFollowTheReceiptTime()
    {
        TrendStore store(QStringLiteral("pumping-station"));
        const QString normal = test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal"));
        for (const char* stamp : {"01.01.25  00:10", "31.12.24  23:50", "00.00.00  00:00", "01.01.25  00:00", "31.12.24  24:00"})
            store.store(QString::fromLatin1(stamp), normal);
        const TrendTable table = store.read({0});
        QStringList times;
        for (const TrendRow& row : table.rows)
            times << row.at.toString(Qt::ISODate);
        QCOMPARE(times, (QStringList{"2024-12-31T23:50:00", "2025-01-01T00:00:00", "2025-01-01T00:10:00"}));
        QCOMPARE(table.unreadableStamps, qint64(2));
        QVERIFY(TrendSummary(table).endsWith(QStringLiteral("нераспознанной отметкой времени: 2.")));
    }

    void rangeTakesItsEdges_data()
    {
        QTest::addColumn<QString>("span");
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<bool>("inside");
        // The console's clock: 15.01.24 12:00.
        QTest::newRow("day: its first minute") << "day" << "14.01.24  12:00" << true;
        QTest::newRow("day: a minute before") << "day" << "14.01.24  11:59" << false;
        QTest::newRow("day: ahead of the clock") << "day" << "15.01.24  12:05" << true;
        QTest::newRow("7 days: first minute") << "7" << "08.01.24  12:00" << true;
        QTest::newRow("7 days: before") << "7" << "08.01.24  11:59" << false;
        QTest::newRow("30 days: over the year end") << "30" << "16.12.23  12:00" << true;
        QTest::newRow("30 days: before") << "30" << "16.12.23  11:59" << false;
        QTest::newRow("dates: first minute") << "dates" << "01.01.24  00:00" << true;
        QTest::newRow("dates: last minute") << "dates" << "10.01.24  23:59" << true;
        QTest::newRow("dates: the day before") << "dates" << "31.12.23  23:59" << false;
        QTest::newRow("dates: the day after") << "dates" << "11.01.24  00:00" << false;
        QTest::newRow("all: the oldest") << "all" << "01.01.70  00:00" << true;
    }
    void rangeTakesItsEdges()
    {
        QFETCH(QString, span);
        QFETCH(QString, stamp);
        QFETCH(bool, inside);
        TrendStore store(QStringLiteral("pumping-station"));
        store.store(stamp, test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal")));
        const QDateTime now = store.fixture().clock().now();
        const TrendRange range = span == QLatin1String("day")     ? TrendRange::Last(TrendRange::Span::LastDay, now)
                                 : span == QLatin1String("7")     ? TrendRange::Last(TrendRange::Span::Last7Days, now)
                                 : span == QLatin1String("30")    ? TrendRange::Last(TrendRange::Span::Last30Days, now)
                                 : span == QLatin1String("dates") ? TrendRange::Dates(QDate(2024, 1, 1), QDate(2024, 1, 10))
                                                                  : TrendRange::All();
        const TrendTable table = store.read({0}, range);
        QCOMPARE(table.rows.size(), std::size_t(inside ? 1 : 0));
        QCOMPARE(table.outsideRange, qint64(inside ? 0 : 1));
    }

    // What a Russian spreadsheet opens as it is: Windows-1251, ";" between fields, CR LF, the
    // titles in the head line, ISO receipt times, the values as the form shows them.
    void csvOfASmallHistory()
    {
        TrendStore store(QStringLiteral("pumping-station"));
        store.store(QStringLiteral("31.12.24  23:30"), test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal")));
        store.store(QStringLiteral("01.01.25  00:00"), test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("short")));
        store.store(QStringLiteral("01.01.25  00:30"), test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("alarm")));
        const TrendTable table =
            store.read({store.candidate(QStringLiteral("StaticPress")), store.candidate(QStringLiteral("StaticLevel"))});
        const QString path = store.fixture().programDirectory() + QStringLiteral("trend.csv");
        WriteTrendCsv(path, table);
        const QByteArray expected =
            "\xC4\xE0\xF2\xE0 \xE8 \xE2\xF0\xE5\xEC\xFF;"
            "\xC4\xE0\xE2\xEB\xE5\xED\xE8\xE5 \xED\xE0 \xE2\xFB\xF5\xEE\xE4\xE5, \xEA\xCF\xE0;"
            "\xD3\xF0\xEE\xE2\xE5\xED\xFC \xE2 \xF0\xE5\xE7\xE5\xF0\xE2\xF3\xE0\xF0\xE5, \xF1\xEC\r\n"
            "2024-12-31T23:30:00;400;200\r\n"
            "2025-01-01T00:00:00;;\r\n"
            "2025-01-01T00:30:00;100;40\r\n";
        QCOMPARE(test::ReadFile(path), expected);
    }

    void numbersAsTheTextsShowThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number"); // NaN: no number
        QTest::newRow("integer") << "190" << 190.0;
        QTest::newRow("characters with zeros and blanks") << " 072 " << 72.0;
        QTest::newRow("point") << "1234.50" << 1234.5;
        QTest::newRow("comma") << "1234,50" << 1234.5;
        QTest::newRow("negative") << "-480" << -480.0;
        QTest::newRow("exponent") << "1,5E20" << 1.5e20;
        QTest::newRow("no value") << "---" << qQNaN();
        QTest::newRow("special") << "NAN" << qQNaN();
        QTest::newRow("hex digits") << "12D6870D" << qQNaN();
        QTest::newRow("two separators") << "1,234.5" << qQNaN();
        QTest::newRow("version") << "v2.1" << qQNaN();
        QTest::newRow("empty") << "" << qQNaN();
    }
    void numbersAsTheTextsShowThem()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        const std::optional<double> read = ReadTrendNumber(text);
        QCOMPARE(read.has_value(), !qIsNaN(number));
        if (read)
            QCOMPARE(*read, number);
    }

    // Value texts and setting boxes are always offered; text panels, status panels and
    // character fields when one of the newest packets shows a number in them.
    void offeredValues()
    {
        TrendStore store(QStringLiteral("boiler-house"));
        store.store(MinuteStamp(0), test::SamplePacket(QStringLiteral("boiler-house"), QStringLiteral("normal")));
        const TrendCatalog catalog = ReadTrendCatalog(store.object());
        QStringList offered;
        for (const int index : catalog.offered)
            offered << catalog.candidates[index].name;
        QCOMPARE(offered, (QStringList{"RbPanelT1", "RbPanelT2", "StaticP", "SpinSetT", "SpinNight", "SpinPeriod"}));
    }

    // Cancelling stops the reading at the next packet: here as soon as it is told to start.
    void cancelStopsTheReading()
    {
        TrendStore store(QStringLiteral("pumping-station"));
        for (int i = 0; i < 3; ++i)
            store.store(MinuteStamp(i), test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal")));
        std::atomic<bool> cancel{false};
        const TrendTable table = RunTrend(TrendRequest{store.object(), {0}, TrendRange::All()}, cancel,
                                          [&](qint64, qint64) { cancel = true; });
        QVERIFY(table.cancelled);
        QCOMPARE(table.packetsTotal, qint64(3));
        QCOMPARE(table.packetsRead, qint64(0));
        QVERIFY(table.rows.empty());
        QCOMPARE(TrendSummary(table), QStringLiteral("Построение отменено: прочитано 0 из 3 пакетов."));
    }
};

KVT_TEST(TrendHistoryTest)
#include "TrendHistoryTest.moc"
