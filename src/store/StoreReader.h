#pragma once

#include "store/ObjectRecord.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace kvt::registry {

// A read-only view of the store file through a connection of its own, for long reads beside
// the console's own connection: the store runs in WAL mode, so a reader sees the last committed
// state and neither waits for the console's posts nor holds them up. A reader belongs to the
// thread that made it and is used only there.
class StoreReader {
public:
    // Opens the store file read-only; throws StoreError when it is missing or cannot be read.
    explicit StoreReader(const QString& storeFile);
    ~StoreReader();
    StoreReader(const StoreReader&) = delete;
    StoreReader& operator=(const StoreReader&) = delete;

    // The first object, in name order, whose name equals `name` ignoring letter case.
    std::optional<ObjectRecord> objectByName(const QString& name) const;
    std::optional<ObjectRecord> objectByCode(ObjectCode code) const;

    qint64 historyCount(ObjectCode object) const;
    // Visits the object's stored packets in ascending code order (the order they were stored)
    // until `visit` returns false.
    void forEachPacket(ObjectCode object, const std::function<bool(const StoredPacket&)>& visit) const;
    // Up to `limit` of the object's newest stored packets, newest first.
    QList<StoredPacket> latestPackets(ObjectCode object, int limit) const;

private:
    QString connection_;
};

} // namespace kvt::registry
