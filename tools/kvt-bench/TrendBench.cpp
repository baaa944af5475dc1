// kvt-bench trend: the trend window of one object with a long history, one value: from the
// click on "Построить" to the drawn plot for 10,000 stored packets beside a 100-packet
// baseline; and on 200,000 packets how often the window's event loop still runs, how the
// progress bar moves, and how soon "Отмена" stops the reading.
#include "Bench.h"

#include "common/Clock.h"
#include "common/OperatorNotices.h"
#include "store/Registry.h"
#include "trends/TrendObject.h"
#include "trends/ui/TrendChartView.h"
#include "trends/ui/TrendForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>

namespace {

using namespace kvt::registry;

// The pumping station's packet with its outlet pressure (bytes 8-9) and tank level (byte 10)
// moving; every 97th packet is cut after byte 7, a gap in both.
const QString kTemplate = QStringLiteral("110500CDD12D330190C8000076322E311E01E028");
constexpr int kCutEvery = 97;
constexpr int kCutBytes = 7;
constexpr int kRuns = 3;
constexpr int kTickMs = 10;

QString PacketNumber(qint64 i)
{
    QString packet = kTemplate;
    const int pressure = 150 + int((i * 7) % 450);
    const int level = 50 + int((i * 3) % 350);
    packet.replace(14, 4, QStringLiteral("%1").arg(pressure, 4, 16, QLatin1Char('0')).toUpper());
    packet.replace(18, 2, QStringLiteral("%1").arg(level % 256, 2, 16, QLatin1Char('0')).toUpper());
    return i % kCutEvery == kCutEvery - 1 ? packet.left(2 * kCutBytes) : packet;
}

class QuietNotices : public kvt::OperatorNotices {
public:
    void notice(const QString& text) override { last = text; }
    void information(const QString& text) override { last = text; }
    QString last;
};

double MsSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// An instance folder whose store holds one object with `packets` stored packets, a minute apart.
class BenchInstance {
public:
    BenchInstance(qint64 packets, const QString& form, const QString& suffix)
    {
        home_ = dir_.path() + QLatin1Char('/');
        QDir(home_).mkpath(kDataFolder);
        alias_ = QStringLiteral("DRAV_trend_bench") + suffix;
        CreateDataAlias(home_, kDataFolder, alias_);
        const kvt::SystemClock clock;
        Registry registry(clock, alias_);
        registry.open();
        QSqlDatabase db = QSqlDatabase::database(alias_);
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO Object_ND VALUES (1, 'Насосная', '79001234567', '00.00.00  00:00', ?, ?, ?, '0')"));
        q.addBindValue(PacketNumber(packets - 1));
        q.addBindValue(QStringLiteral("00.00.00  00:00"));
        q.addBindValue(form);
        q.exec();
        q.prepare(QStringLiteral("INSERT INTO SMS_ND VALUES (?, 1, ?, ?)"));
        const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
        for (qint64 i = 0; i < packets; ++i) {
            q.addBindValue(i + 1);
            q.addBindValue(start.addSecs(60 * i).toString(QStringLiteral("dd.MM.yy  hh:mm")));
            q.addBindValue(PacketNumber(i));
            q.exec();
        }
        db.commit();
        record_ = registry.objects().rows().first();
        storeFile_ = registry.database().filePath();
    }
    ~BenchInstance() { QSqlDatabase::removeDatabase(alias_); }

    kvt::TrendObject object() const { return kvt::TrendObjectOf(record_, storeFile_, home_); }

private:
    QTemporaryDir dir_;
    QString home_;
    QString alias_;
    QString storeFile_;
    ObjectRecord record_;
};

// The window of the object with its first value chosen over the whole history, shown.
std::unique_ptr<kvt::TrendForm> OpenWindow(const kvt::TrendObject& object, const kvt::Clock& clock,
                                           kvt::OperatorNotices& notices)
{
    auto window = std::make_unique<kvt::TrendForm>(object, kvt::ReadTrendCatalog(object), clock, notices);
    window->findChild<QComboBox*>(QStringLiteral("TrendSpan"))
        ->setCurrentIndex(int(kvt::TrendForm::kSpans.indexOf(kvt::TrendRange::Span::All)));
    window->show();
    QApplication::processEvents();
    return window;
}

// From the click to the plot drawn: the table read and the chart laid out and painted.
double ClickToPlot(kvt::TrendForm& window)
{
    QEventLoop loop;
    QObject::connect(&window, &kvt::TrendForm::plotShown, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    window.findChild<QPushButton*>(QStringLiteral("TrendBuild"))->click();
    loop.exec();
    QApplication::processEvents();
    window.chartView()->viewport()->repaint();
    return MsSince(t);
}

double MedianClickToPlot(qint64 packets, const QString& form, const QString& suffix, QTextStream& out)
{
    QElapsedTimer filling;
    filling.start();
    BenchInstance instance(packets, form, suffix);
    out << "# store" << suffix << ' ' << packets << " packets in " << qRound(MsSince(filling)) << " ms\n";
    const kvt::SystemClock clock;
    QuietNotices notices;
    auto window = OpenWindow(instance.object(), clock, notices);
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(ClickToPlot(*window));
    std::sort(times.begin(), times.end());
    out << "# points" << suffix << ' ' << window->table()->rows.size() << ", runs " << times.front() << " .. "
        << times.back() << " ms\n";
    // The plot alone: the chart given the table again, laid out and painted.
    QElapsedTimer plotting;
    plotting.start();
    window->chartView()->showTable(*window->table());
    const double given = MsSince(plotting);
    QApplication::processEvents();
    const double laidOut = MsSince(plotting);
    window->chartView()->viewport()->repaint();
    out << "# plot_only" << suffix << ' ' << MsSince(plotting) << " ms (table given " << given << ", laid out "
        << laidOut << ")\n";
    // The reading alone, without the window.
    QElapsedTimer reading;
    reading.start();
    const std::atomic<bool> never{false};
    kvt::RunTrend(kvt::TrendRequest{instance.object(), {0}, kvt::TrendRange::All()}, never, {});
    out << "# read_only" << suffix << ' ' << MsSince(reading) << " ms\n";
    return times[times.size() / 2];
}

// Builds on a long history with a tick every 10 ms: the longest pause of the event loop, the
// progress bar's steps, and the time from "Отмена" to the end of the reading.
void Responsiveness(qint64 packets, const QString& form, double cancelAtShare, QTextStream& out)
{
    QElapsedTimer filling;
    filling.start();
    BenchInstance instance(packets, form, QStringLiteral("_big"));
    out << "# store_big " << packets << " packets in " << qRound(MsSince(filling)) << " ms\n";
    const kvt::SystemClock clock;
    QuietNotices notices;
    auto window = OpenWindow(instance.object(), clock, notices);
    auto* progress = window->findChild<QProgressBar*>(QStringLiteral("TrendProgress"));
    QElapsedTimer sinceTick;
    double longestPause = 0;
    int steps = 0;
    int lastValue = -1;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestPause = std::max(longestPause, MsSince(sinceTick));
        sinceTick.restart();
        if (progress->value() != lastValue) {
            lastValue = progress->value();
            ++steps;
        }
    });
    QElapsedTimer total;
    total.start();
    sinceTick.start();
    tick.start();
    window->findChild<QPushButton*>(QStringLiteral("TrendBuild"))->click();
    auto dueToCancel = [&] {
        return cancelAtShare < 1 && progress->maximum() > 1 && progress->value() >= cancelAtShare * progress->maximum();
    };
    while (window->isBuilding() && !dueToCancel())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QElapsedTimer cancelling;
    cancelling.start();
    const bool cancelled = window->isBuilding();
    if (cancelled)
        window->findChild<QPushButton*>(QStringLiteral("TrendCancel"))->click();
    while (window->isBuilding())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    tick.stop();
    out << "trend_big_longest_event_loop_pause " << longestPause << " ms\n";
    out << "# trend_big_progress_steps " << steps << " (bar at " << progress->value() << " of " << progress->maximum()
        << ")\n";
    if (cancelled)
        out << "trend_big_cancel " << MsSince(cancelling) << " ms\n";
    out << "# trend_big_status " << window->findChild<QObject*>(QStringLiteral("TrendStatus"))->property("text").toString()
        << " (" << qRound(MsSince(total)) << " ms)\n";
}

int RunTrendBench(const QStringList& args, QTextStream& out)
{
    QString form = QCoreApplication::applicationDirPath() + QStringLiteral("/../examples/forms/pumping-station.kof");
    const int formAt = int(args.indexOf(QStringLiteral("--form")));
    if (formAt >= 0 && formAt + 1 < args.size())
        form = args[formAt + 1];
    if (!QFileInfo(form).isFile()) {
        out << "kvt-bench trend: no form " << form << " (give one with --form FILE.kof)\n";
        return 2;
    }
    form = QFileInfo(form).absoluteFilePath();
    const double baseline = MedianClickToPlot(100, form, QStringLiteral("_100"), out);
    out << "trend_click_to_plot_100 " << baseline << " ms\n";
    out.flush();
    const double measured = MedianClickToPlot(10000, form, QStringLiteral("_10000"), out);
    out << "trend_click_to_plot_10000 " << measured << " ms\n";
    out.flush();
    // --full reads the 200,000 packets to the end instead of cancelling at a third.
    Responsiveness(200000, form, args.contains(QStringLiteral("--full")) ? 1.0 : 1.0 / 3, out);
    out.flush();
    return 0;
}

} // namespace

KVT_BENCH(QStringLiteral("trend"),
          QStringLiteral("trend window: click to plot for 10,000 packets beside 100; 200,000 packets: event loop "
                         "pauses, progress and cancel ([--full]: read to the end; [--form FILE.kof])"),
          RunTrendBench)
