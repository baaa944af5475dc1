#include "BenchStore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <vector>

#include <unistd.h>

namespace kvt::bench {

const QString kBenchPacket = QStringLiteral("0123456789ABCDEF").repeated(17) + QStringLiteral("01234567");
const QString kBenchStamp = QStringLiteral("05.06.24  10:15");

double MsSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void FillStore(const QString& alias, const StoreShape& shape)
{
    QSqlDatabase db = QSqlDatabase::database(alias);
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO Object_ND VALUES (?, ?, '79001234567', '1.1.2024  0:00', ?, ?, 'bench.kof', '0')"));
    for (int code = 1; code <= shape.objects; ++code) {
        q.addBindValue(code);
        q.addBindValue(QStringLiteral("Объект %1").arg(code, 4, 10, QLatin1Char('0')));
        q.addBindValue(kBenchPacket);
        q.addBindValue(kBenchStamp);
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
        q.addBindValue(kBenchStamp);
        q.addBindValue(kBenchPacket);
        q.exec();
    }
    db.commit();
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

double MedianSyncMs(const QString& folder)
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
        times.push_back(MsSince(t));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace kvt::bench
