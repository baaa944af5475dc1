// kvt-bench receive: the console's own work for one state packet that arrives by SMS (the
// receive journal's notes, both storage steps, the history rebuilt, the object selected, the
// packet decoded in full on its form and drawn), without the modem's prescribed waits, on a
// large store (1,000 objects, 1,000,000 stored packets) beside a small baseline.
#include "Bench.h"
#include "BenchStore.h"

#include "app/ConsoleArrivalHost.h"
#include "app/ConsoleCore.h"
#include "app/GeneralForm.h"
#include "app/ProgramLauncher.h"
#include "common/Clock.h"
#include "common/Confirmation.h"
#include "common/DesktopShell.h"
#include "common/OperatorNotices.h"
#include "common/SoundPlayer.h"
#include "gsm/MessageIntake.h"
#include "gsm/ReceiveJournal.h"
#include "packets/StatePacketArrival.h"
#include "store/DataAlias.h"
#include "store/Registry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

using namespace kvt;
using namespace kvt::bench;

// The pumping station's form and two of its sample packets, taken in turn so that every arrival
// changes what the form shows.
const QString kFormFile = QStringLiteral("/../examples/forms/pumping-station.kof");
const QStringList kPackets{QStringLiteral("110500CDD12D330190C8000076322E311E01E028"),
                           QStringLiteral("110500CDD12D330190C800004E735F231E01E028")};
const QString kPhone = QStringLiteral("79001234567");
constexpr int kArrivals = 20;

// The operator's side, silent: no message boxes, sounds, documents or programs.
class QuietOperator : public OperatorNotices,
                      public Confirmation,
                      public SoundPlayer,
                      public DesktopShell,
                      public ProgramLauncher {
public:
    void notice(const QString&) override {}
    void information(const QString&) override {}
    bool confirm(const QString&) override { return true; }
    void play(const QString&) override {}
    bool open(const QString&) override { return true; }
    bool startProgram(const QString&) override { return true; }
};

// The console's arrival steps, each timed on its way through.
class TimedArrivalSteps final : public StatePacketArrivalHost {
public:
    explicit TimedArrivalSteps(StatePacketArrivalHost& steps) : steps_(steps) {}

    void closeWindow(ArrivalWindow window) override
    {
        timed("close_windows", [&] { steps_.closeWindow(window); });
    }
    qint64 storePacket(int objectCode, const QString& stamp, const QString& packet,
                       const std::function<void(qint64)>& alsoCommit) override
    {
        qint64 code = 0;
        timed("store_packet", [&] { code = steps_.storePacket(objectCode, stamp, packet, alsoCommit); });
        return code;
    }
    void selectObjectNode(int objectCode) override
    {
        timed("select", [&] { steps_.selectObjectNode(objectCode); });
    }
    void playDataReceivedSound() override { steps_.playDataReceivedSound(); }
    void showNewDataIcons() override
    {
        timed("icons", [&] { steps_.showNewDataIcons(); });
    }
    void writeLinkOfLastContact(int objectCode, const QString& link) override
    {
        timed("link_files", [&] { steps_.writeLinkOfLastContact(objectCode, link); });
    }
    void storeLatestState(int objectCode, const QString& packet, const QString& stamp) override
    {
        timed("store_latest", [&] { steps_.storeLatestState(objectCode, packet, stamp); });
    }
    void rebuildHistory(int objectCode) override
    {
        timed("history", [&] { steps_.rebuildHistory(objectCode); });
    }
    void applyStatePacket(const QString& packet, const QString& stamp, const QString& name,
                          const QString& phone) override
    {
        timed("decode_and_close", [&] { steps_.applyStatePacket(packet, stamp, name, phone); });
    }

    // The total of each step over all arrivals, in the order the steps first ran.
    const std::vector<std::pair<QString, double>>& totals() const { return totals_; }

private:
    void timed(const char* step, const std::function<void()>& work)
    {
        QElapsedTimer t;
        t.start();
        work();
        const QString name = QString::fromLatin1(step);
        auto found = std::find_if(totals_.begin(), totals_.end(), [&](const auto& total) { return total.first == name; });
        if (found == totals_.end())
            totals_.emplace_back(name, MsSince(t));
        else
            found->second += MsSince(t);
    }

    StatePacketArrivalHost& steps_;
    std::vector<std::pair<QString, double>> totals_;
};

int run(const StoreShape& shape, const QString& suffix, QTextStream& out)
{
    QTemporaryDir dir;
    const QString home = dir.path() + QLatin1Char('/');
    EnsureInstanceFolders(home);
    if (!QFile::copy(QCoreApplication::applicationDirPath() + kFormFile, home + QStringLiteral("bench.kof"))) {
        out << "kvt-bench: the sample form " << kFormFile << " is not built\n";
        return 1;
    }
    registry::CreateDataAlias(home, registry::kDataFolder, registry::kDataAlias);
    SystemClock clock;
    {
        registry::Registry building(clock, registry::kDataAlias);
        building.open();
        FillStore(registry::kDataAlias, shape);
    }
    QuietOperator quiet;
    int failures = 0;
    {
        ConsoleCore core(home, clock, quiet, quiet);
        GeneralForm window({core, core.gsm, core.links, quiet, quiet, quiet, quiet, QString()});
        window.show();
        window.FormShow();
        // No modem: its ticks would only time out.
        for (MainTimer timer : {MainTimer::QueryTimer, MainTimer::ATTimer, MainTimer::Timer2})
            core.timers.stop(timer);
        QApplication::processEvents();

        gsm::ReceiveJournal journal(registry::kDataAlias);
        TimedArrivalSteps steps(window.arrivalHost());
        StatePacketArrival arrival(steps, core.log);
        std::vector<double> times;
        for (int i = 0; i < kArrivals; ++i) {
            const QString packet = kPackets[i % kPackets.size()];
            const QString stamp = QStringLiteral("05.06.24  10:%1").arg(i % 60, 2, 10, QLatin1Char('0'));
            // The PDU as the modem would hand it over: unique per message.
            const QString pdu = QStringLiteral("BENCH%1").arg(i) + packet;
            QElapsedTimer t;
            t.start();
            if (journal.find(pdu))
                ++failures;
            const qint64 entry = journal.recordFetched({pdu, QStringLiteral("1"), kPhone, stamp, clock.now()});
            ArrivedStatePacket arrived;
            arrived.objectCode = 1;
            arrived.name = core.registry.objects().locateByCode(1) ? core.registry.objects().currentRow().Name_O : QString();
            arrived.phone = kPhone;
            arrived.stamp = stamp;
            arrived.packet = packet.leftJustified(gsm::MessageIntake::kStatePacketLength, QChar(0));
            arrived.logTitle = gsm::MessageIntake::kNewStateTitle;
            arrived.linkOfLastContact = QStringLiteral("GSM");
            arrived.alsoCommit = [&](qint64 code) { journal.recordStored(entry, code); };
            arrival.run(arrived);
            journal.recordDeleted(entry);
            window.repaint();
            QApplication::processEvents();
            times.push_back(MsSince(t));
        }
        std::sort(times.begin(), times.end());
        out << "receive" << suffix << ' ' << times[times.size() / 2] << " ms (median of " << kArrivals << ")\n";
        out << "# receive_worst" << suffix << ' ' << times.back() << " ms\n";
        out << "# steps" << suffix << " (mean ms):";
        for (const auto& [step, total] : steps.totals())
            out << ' ' << step << '=' << total / kArrivals;
        out << '\n';
        out << "# fdatasync_median" << suffix << ' ' << MedianSyncMs(dir.path())
            << " ms (the journal's note and both storage steps commit durably)\n";
        window.close();
    }
    QSqlDatabase::removeDatabase(registry::kDataAlias);
    if (failures > 0)
        out << "# " << failures << " messages were found in the journal before their arrival\n";
    out.flush();
    return failures > 0 ? 1 : 0;
}

int runReceiveBench(const QStringList& args, QTextStream& out)
{
    StoreShape large{1000, 1000000, 200000};
    if (args.contains(QStringLiteral("--quick")))
        large = StoreShape{1000, 100000, 20000};
    if (const int code = run(StoreShape{10, 100, 20}, QStringLiteral("_small"), out))
        return code;
    return run(large, QString(), out);
}

} // namespace

KVT_BENCH(QStringLiteral("receive"),
          QStringLiteral("one state packet received by SMS, without the modem's waits ([--quick]: 100,000 packets)"),
          runReceiveBench)
