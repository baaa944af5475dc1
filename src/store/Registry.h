#pragma once

#include "store/DataAlias.h"
#include "store/ObjectTable.h"
#include "store/PacketTable.h"
#include "store/RegistryDatabase.h"

namespace kvt {
class Clock;
class EventSink;
class OperatorNotices;
} // namespace kvt

namespace kvt::registry {

// The store of the console: the objects table and the packets table behind one alias, and the
// operations that touch both.
class Registry {
public:
    // `clock` gives the time of the store's events (a damaged file set aside).
    explicit Registry(const Clock& clock, QString alias = kDataAlias);

    // Opens the store of the alias (see CreateDataAlias) and stands the objects table on its
    // first row. A damaged file is set aside and a new empty store is started: see
    // setAsideNotice(). Throws StoreError when the store cannot be opened at all.
    void open();
    bool isOpen() const { return db_.isOpen(); }
    const QString& setAsideNotice() const { return db_.setAsideNotice(); }
    RegistryDatabase& database() { return db_; }

    ObjectTable& objects() { return objects_; }
    const ObjectTable& objects() const { return objects_; }
    PacketTable& packets() { return packets_; }
    const PacketTable& packets() const { return packets_; }

    // The two storage steps of a state packet, for the object at the current row of the objects
    // table. The receive paths run other steps of theirs between them.
    // Step 1: the packet joins the object's history; returns its code. `alsoCommit` runs inside
    // the same post (see PacketTable::append).
    PacketCode storePacketInHistory(const QString& packet, const QString& stamp,
                                    const std::function<void(PacketCode)>& alsoCommit = {});
    // Step 2: the packet becomes the object's latest one.
    void storePacketInObjectRow(const QString& packet, const QString& stamp);
    // Both steps, one after the other.
    PacketCode StoreStatePacket(const QString& packet, const QString& stamp);

    // Deletes the stored packets of every object.
    void DeleteAllHistory();

    // Deletes the object at the current row together with all of its stored packets, in one
    // post; the table moves to the next row. Returns how many packets went.
    qint64 removeCurrentObject();

private:
    RegistryDatabase db_;
    ObjectTable objects_;
    PacketTable packets_;
};

// Tells the operator, at start-up, that a damaged store file was set aside and a new empty
// store started: a red line in the event log and a message box. Nothing when the store was sound.
void AnnounceSetAsideStore(const Registry& registry, EventSink& events, OperatorNotices& notices);

} // namespace kvt::registry
