#pragma once

// A store grown over years, for the benchmarks that work on the registry.

#include <QElapsedTimer>
#include <QString>

namespace kvt::bench {

// The report of a radio link: 140 bytes as 280 hex characters; the stamp of every filled row.
extern const QString kBenchPacket;
extern const QString kBenchStamp;

struct StoreShape {
    int objects;
    qint64 packets;
    qint64 bigObjectPackets; // of object 1, spread evenly among the others
};

double MsSince(const QElapsedTimer& t);
// Fills Object_ND and SMS_ND directly in one transaction; every object's form file is bench.kof.
void FillStore(const QString& alias, const StoreShape& shape);
// What one durable write costs on this disk: the floor under every post.
double MedianSyncMs(const QString& folder);

} // namespace kvt::bench
