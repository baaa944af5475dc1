#include "common/Win1251.h"
#include "support/Files.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"
#include "support/TrendStore.h"

#include "trends/TrendCsv.h"

#include <QProcess>
#include <QTest>

using namespace kvt;
using kvt::test::TrendStore;

// kvt-tool trend reads the store of an instance folder as the trend window does.
namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTrendTool(const QString& home, const QStringList& args)
{
    QProcess process;
    process.start(qEnvironmentVariable("KVT_TOOLS_DIR") + QStringLiteral("/kvt-tool"),
                  QStringList{"trend", "--home", home} + args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Three days of a pumping station: 01.01.24, 02.01.24 (an alarm) and 03.01.24.
void StoreThreeDays(TrendStore& store)
{
    const QString normal = test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal"));
    store.store(QStringLiteral("01.01.24  08:00"), normal);
    store.store(QStringLiteral("02.01.24  08:00"), test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("alarm")));
    store.store(QStringLiteral("03.01.24  08:00"), normal);
}

} // namespace

class TrendToolTest : public QObject {
    Q_OBJECT
private slots:
    void reportsOfTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // in the standard output, or in the error output
        QTest::newRow("the values offered") << QStringList{"--object", "насосная"} << 0
                                            << "31\tДавление на выходе, кПа\tStaticPress\n32\tУровень в резервуаре, см\tStaticLevel\n";
        QTest::newRow("by number and title, one day")
            << QStringList{"--object", "Насосная", "--control", "31", "--control", "уровень в резервуаре, см", "--from",
                           "2024-01-02", "--to", "02.01.2024"}
            << 0 << "Дата и время;Давление на выходе, кПа;Уровень в резервуаре, см\r\n2024-01-02T08:00:00;100;40\r\n";
        QTest::newRow("from a moment on") << QStringList{"--object", "Насосная", "--control", "StaticPress", "--from", "2024-01-02T08:01"}
                                          << 0 << "Дата и время;Давление на выходе, кПа\r\n2024-01-03T08:00:00;400\r\n";
        QTest::newRow("no such value") << QStringList{"--object", "Насосная", "--control", "Расход"} << 1
                                       << "kvt-tool trend: the form of 'Насосная' has no value 'Расход'";
        QTest::newRow("no such object") << QStringList{"--object", "Котельная"} << 1 << "kvt-tool trend: no object named 'Котельная'";
        QTest::newRow("no date") << QStringList{"--object", "Насосная", "--control", "31", "--to", "вчера"} << 2
                                 << "kvt-tool trend: cannot read the date 'вчера'";
    }
    void reportsOfTheCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        TrendStore store(QStringLiteral("pumping-station"));
        StoreThreeDays(store);
        const ToolRun run = RunTrendTool(store.fixture().programDirectory(), args);
        QCOMPARE(run.exitCode, exitCode);
        const QString& shown = exitCode == 0 ? run.out : run.err;
        QVERIFY2(shown.contains(out), qPrintable(shown));
    }

    // The CSV saved by the command line is the window's export of the same values, byte for
    // byte, with the summary of the status line.
    void savesTheWindowsCsv()
    {
        TrendStore store(QStringLiteral("pumping-station"));
        StoreThreeDays(store);
        const QString path = store.fixture().programDirectory() + QStringLiteral("report.csv");
        const ToolRun run = RunTrendTool(store.fixture().programDirectory(),
                                         {"--object", "Насосная", "--control", "31", "--control", "32", "--csv", path});
        QCOMPARE(run.exitCode, 0);
        const TrendTable table = store.read({store.candidate(QStringLiteral("StaticPress")), store.candidate(QStringLiteral("StaticLevel"))});
        QCOMPARE(test::ReadFile(path), ToWin1251(TrendCsvText(table)));
        QCOMPARE(run.out, QStringLiteral("Пакетов в периоде: 3, из них аварийных: 1. %1\n").arg(path));
    }
};

KVT_TEST(TrendToolTest)
#include "TrendToolTest.moc"
