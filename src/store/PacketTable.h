#pragma once

#include "store/CodeAllocator.h"
#include "store/ObjectRecord.h"

#include <QList>

#include <functional>

#include <optional>

namespace kvt::registry {

class RegistryDatabase;

// The packets table (Sms_Table): every stored state packet with the code of its object.
// Packet codes are 64-bit. Every change is posted at once and is durable when the call returns.
class PacketTable {
public:
    explicit PacketTable(RegistryDatabase& db);

    // Reads the codes in use; part of opening the store.
    void load();

    qint64 recordCount() const;

    // The smallest positive code not in use.
    PacketCode NextFreeCode();

    // Appends and posts a packet under the next free code; returns that code. `alsoCommit`
    // (when given) runs with that code inside the same post, so that what it writes is
    // committed together with the packet or not at all.
    PacketCode append(ObjectCode object, const QString& stamp, const QString& text,
                      const std::function<void(PacketCode)>& alsoCommit = {});

    std::optional<StoredPacket> packet(PacketCode code) const;

    // The rows of the history query (qNode) for one object, in ascending code order.
    QList<StoredPacket> nodeQuery(ObjectCode object) const;
    // Up to `limit` history entries of one object below `belowCode`, newest (highest code)
    // first; the history tree reads them page by page.
    QList<HistoryEntry> historyPage(ObjectCode object, PacketCode belowCode, int limit) const;
    qint64 historyCount(ObjectCode object) const;

    // Deletes every row (all objects); returns how many there were.
    qint64 DeleteAllHistory();
    // Deletes the rows of one object inside a post of the caller and returns their codes,
    // which the caller releases once the post is committed.
    std::vector<PacketCode> deleteObjectHistory(ObjectCode object);
    void releaseCodes(const std::vector<PacketCode>& codes);

private:
    RegistryDatabase& db_;
    CodeAllocator codes_;
};

} // namespace kvt::registry
