// kvt-bench store: the registry on a large store (1,000 objects, 1,000,000 stored packets, one
// object holding 200,000 of them) and on a small baseline (10 objects, 100 packets).
#include "Bench.h"
#include "BenchStore.h"

#include "common/Clock.h"
#include "common/MainTimers.h"
#include "common/OperatorNotices.h"
#include "common/SupervisionPause.h"
#include "forms/ComponentStream.h"
#include "forms/CurrentObject.h"
#include "forms/FormText.h"
#include "forms/ObjectFormHandlers.h"
#include "objects/ui/ObjectSelection.h"
#include "objects/ui/RegistryPorts.h"
#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/RegistryTrees.h"
#include "packets/ApplyStatePacket.h"
#include "store/Registry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>

#include <unistd.h>

namespace {

using namespace kvt::registry;
using namespace kvt::bench;

// What the registry's selection needs of the rest of the console, quiet: no layout, no
// message boxes, no handlers behind the form's controls, no timers.
class QuietConsole : public RegistryHost,
                     public kvt::OperatorNotices,
                     public kvt::ObjectFormHandlers,
                     public kvt::MainTimers {
public:
    void applyHistoryHeightRule() override {}
    void notice(const QString&) override {}
    void information(const QString&) override {}
    void SpeedButton3Click(kvt::FormControl&) override {}
    void Send_Pusk_ButtonClick(kvt::FormControl&) override {}
    void TabSet1Change(kvt::FormControl&, int, bool&) override {}
    void SpinEdit2DblClick(kvt::FormControl&) override {}
    void SpinEdit3DblClick(kvt::FormControl&) override {}
    void start(kvt::MainTimer) override {}
    void stop(kvt::MainTimer) override {}
    bool isActive(kvt::MainTimer) const override { return false; }
};

// The form of every bench object: an empty one, so selecting measures the store and the trees.
const QString kBenchForm = QStringLiteral("object BenchForm: TForm\n  ClientHeight = 10\n  ClientWidth = 10\nend\n");

int run(const StoreShape& shape, const QString& suffix, QTextStream& out)
{
    QTemporaryDir dir;
    const QString home = dir.path() + QLatin1Char('/');
    const kvt::SystemClock clock;
    QDir(home).mkpath(kDataFolder);
    QFile form(home + QStringLiteral("bench.kof"));
    if (!form.open(QIODevice::WriteOnly) || form.write(kvt::WriteComponentStream(kvt::FormFromText(kBenchForm))) < 0)
        out << "# cannot write bench.kof\n";
    form.close();
    const QString alias = QStringLiteral("DRAV_bench") + suffix;
    CreateDataAlias(home, kDataFolder, alias);
    {
        QElapsedTimer t;
        t.start();
        Registry building(clock, alias);
        building.open();
        FillStore(alias, shape);
        out << "# build" << suffix << ' ' << qRound(MsSince(t)) << " ms (" << shape.objects << " objects, "
            << shape.packets << " packets, " << shape.bigObjectPackets << " of object 1)\n";
    }
    Registry registry(clock, alias);
    QElapsedTimer t;
    t.start();
    registry.open();
    out << "# open_store" << suffix << ' ' << MsSince(t) << " ms\n";

    // NextFreeCode of the packets table: the mean of many calls.
    constexpr int kCodeCalls = 200;
    t.start();
    PacketCode code = 0;
    for (int i = 0; i < kCodeCalls; ++i)
        code = registry.packets().NextFreeCode();
    out << "next_free_code" << suffix << ' ' << MsSince(t) / kCodeCalls << " ms\n";
    if (code != shape.packets + 1)
        out << "# unexpected next code " << code << '\n';

    // Both storage steps, each durable, for the object with the longest history.
    constexpr int kStores = 20;
    out << "# fdatasync_median" << suffix << ' ' << MedianSyncMs(dir.path()) << " ms (two durable posts per packet)\n";
    registry.objects().locateByCode(1);
    double worst = 0;
    t.start();
    for (int i = 0; i < kStores; ++i) {
        QElapsedTimer one;
        one.start();
        registry.StoreStatePacket(kBenchPacket, kBenchStamp);
        worst = std::max(worst, MsSince(one));
    }
    out << "store_packet" << suffix << ' ' << MsSince(t) / kStores << " ms\n";
    out << "# store_packet_worst" << suffix << ' ' << worst << " ms\n";

    // Selecting that object in the tree until its history tree is drawn.
    QuietConsole quiet;
    kvt::SupervisionPause pause;
    kvt::CurrentObject current(home, quiet);
    current.setFormHandlers(quiet);
    kvt::StatePacketDecoder decoder(quiet);
    ObjectTreeView objectTree;
    HistoryTreeView historyTree;
    RegistryTrees trees(registry, &objectTree, &historyTree);
    ObjectSelection selection(registry, trees,
                              RegistryServices{home, &quiet, &current, &decoder, &quiet, nullptr, nullptr, &pause});
    trees.BuildObjectTree();
    trees.expandObjectTree();
    objectTree.resize(200, 400);
    historyTree.resize(200, 400);
    objectTree.show();
    historyTree.show();
    QApplication::processEvents();
    registry.objects().locateByCode(1);
    t.start();
    trees.SelectObjectNode();
    historyTree.repaint();
    QApplication::processEvents();
    out << "history_tree" << suffix << ' ' << MsSince(t) << " ms\n";
    out << "# history_rows_loaded" << suffix << ' ' << trees.historyModel().childCount() << " of "
        << registry.packets().historyCount(1) << '\n';
    out.flush();
    return 0;
}

int runStoreBench(const QStringList& args, QTextStream& out)
{
    StoreShape large{1000, 1000000, 200000};
    if (args.contains(QStringLiteral("--quick")))
        large = StoreShape{1000, 100000, 20000};
    run(StoreShape{10, 100, 20}, QStringLiteral("_small"), out);
    return run(large, QString(), out);
}

} // namespace

KVT_BENCH(QStringLiteral("store"),
          QStringLiteral("registry store: next free code, storing a packet, history tree ([--quick]: 100,000 packets)"),
          runStoreBench)
