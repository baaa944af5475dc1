// kvt-bench store: the registry on a large store (1,000 objects, 1,000,000 stored packets, one
// object holding 200,000 of them) and on a small baseline (10 objects, 100 packets).
#include "Bench.h"

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

// The report of a radio link: 140 bytes as 280 hex characters.
const QString kPacket = QStringLiteral("0123456789ABCDEF").repeated(17) + QStringLiteral("01234567");
const QString kStamp = QStringLiteral("05.06.24  10:15");

struct Shape {
    int objects;
    qint64 packets;
    qint64 bigObjectPackets; // of object 1, spread evenly among the others
};

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

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Fills the tables directly in one transaction, as a store grown over years would look.
void fill(const QString& alias, const Shape& shape)
{
    QSqlDatabase db = QSqlDatabase::database(alias);
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO Object_ND VALUES (?, ?, '79001234567', '1.1.2024  0:00', ?, ?, 'bench.kof', '0')"));
    for (int code = 1; code <= shape.objects; ++code) {
        q.addBindValue(code);
        q.addBindValue(QStringLiteral("Объект %1").arg(code, 4, 10, QLatin1Char('0')));
        q.addBindValue(kPacket);
        q.addBindValue(kStamp);
        q.exec();
    }
    q.prepare(QStringLiteral("INSERT INTO SMS_ND VALUES (?, ?, ?, ?)"));
    const qint64 every = std::max<qint64>(1, shape.packets / std::max<qint64>(1, shape.bigObjectPackets));
    qint64 big = 0;
    int other = 2;
    for (qint64 code = 1; code <= shape.packets; ++code) {
        int object;
        if (code % every == 0 && big < shape.bigObjectPackets) {
            object = 1;
            ++big;
        } else {
            object = other;
            other = other >= shape.objects ? 2 : other + 1;
        }
        q.addBindValue(code);
        q.addBindValue(object);
        q.addBindValue(kStamp);
        q.addBindValue(kPacket);
        q.exec();
    }
    db.commit();
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

// What one durable write costs on this disk: the floor under every post.
double medianSyncMs(const QString& folder)
{
    QFile file(folder + QStringLiteral("/sync.probe"));
    file.open(QIODevice::WriteOnly);
    std::vector<double> times;
    const QByteArray page(4096, 'x');
    for (int i = 0; i < 21; ++i) {
        file.write(page);
        file.flush();
        QElapsedTimer t;
        t.start();
        ::fdatasync(file.handle());
        times.push_back(msSince(t));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int run(const Shape& shape, const QString& suffix, QTextStream& out)
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
        fill(alias, shape);
        out << "# build" << suffix << ' ' << qRound(msSince(t)) << " ms (" << shape.objects << " objects, "
            << shape.packets << " packets, " << shape.bigObjectPackets << " of object 1)\n";
    }
    Registry registry(clock, alias);
    QElapsedTimer t;
    t.start();
    registry.open();
    out << "# open_store" << suffix << ' ' << msSince(t) << " ms\n";

    // NextFreeCode of the packets table: the mean of many calls.
    constexpr int kCodeCalls = 200;
    t.start();
    PacketCode code = 0;
    for (int i = 0; i < kCodeCalls; ++i)
        code = registry.packets().NextFreeCode();
    out << "next_free_code" << suffix << ' ' << msSince(t) / kCodeCalls << " ms\n";
    if (code != shape.packets + 1)
        out << "# unexpected next code " << code << '\n';

    // Both storage steps, each durable, for the object with the longest history.
    constexpr int kStores = 20;
    out << "# fdatasync_median" << suffix << ' ' << medianSyncMs(dir.path()) << " ms (two durable posts per packet)\n";
    registry.objects().locateByCode(1);
    double worst = 0;
    t.start();
    for (int i = 0; i < kStores; ++i) {
        QElapsedTimer one;
        one.start();
        registry.StoreStatePacket(kPacket, kStamp);
        worst = std::max(worst, msSince(one));
    }
    out << "store_packet" << suffix << ' ' << msSince(t) / kStores << " ms\n";
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
    out << "history_tree" << suffix << ' ' << msSince(t) << " ms\n";
    out << "# history_rows_loaded" << suffix << ' ' << trees.historyModel().childCount() << " of "
        << registry.packets().historyCount(1) << '\n';
    out.flush();
    return 0;
}

int runStoreBench(const QStringList& args, QTextStream& out)
{
    Shape large{1000, 1000000, 200000};
    if (args.contains(QStringLiteral("--quick")))
        large = Shape{1000, 100000, 20000};
    run(Shape{10, 100, 20}, QStringLiteral("_small"), out);
    return run(large, QString(), out);
}

} // namespace

KVT_BENCH(QStringLiteral("store"),
          QStringLiteral("registry store: next free code, storing a packet, history tree ([--quick]: 100,000 packets)"),
          runStoreBench)
