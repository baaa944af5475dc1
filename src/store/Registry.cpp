#include "store/Registry.h"

#include "common/Errors.h"
#include "common/EventSink.h"
#include "common/OperatorNotices.h"

namespace kvt::registry {

Registry::Registry(const Clock& clock, QString alias) : db_(std::move(alias), clock), objects_(db_), packets_(db_) {}

void Registry::open()
{
    db_.open([this] {
        // Reading every code also reads every page of both code indexes, so damage there is
        // found at start rather than in the middle of a receive.
        objects_.load();
        packets_.load();
    });
}

PacketCode Registry::storePacketInHistory(const QString& packet, const QString& stamp,
                                          const std::function<void(PacketCode)>& alsoCommit)
{
    const ObjectCode object = objects_.currentRow().Kod_O;
    return packets_.append(object, stamp, packet, alsoCommit);
}

void Registry::storePacketInObjectRow(const QString& packet, const QString& stamp)
{
    objects_.editCurrent([&](ObjectRecord& row) {
        row.Time_SMS = packet;
        row.Date_SMS = stamp;
    });
}

PacketCode Registry::StoreStatePacket(const QString& packet, const QString& stamp)
{
    const PacketCode code = storePacketInHistory(packet, stamp);
    storePacketInObjectRow(packet, stamp);
    return code;
}

void Registry::DeleteAllHistory()
{
    packets_.DeleteAllHistory();
}

qint64 Registry::removeCurrentObject()
{
    const ObjectCode code = objects_.currentRow().Kod_O;
    std::vector<PacketCode> freed;
    db_.post([&] {
        QSqlQuery q = db_.prepare(QStringLiteral("DELETE FROM Object_ND WHERE Kod_O = ?"));
        q.addBindValue(static_cast<int>(code));
        RegistryDatabase::exec(q, QStringLiteral("Удаление объекта"));
        freed = packets_.deleteObjectHistory(code);
    });
    objects_.stepOffCurrent();
    objects_.codes().markFree(code);
    packets_.releaseCodes(freed);
    return static_cast<qint64>(freed.size());
}

void AnnounceSetAsideStore(const Registry& registry, EventSink& events, OperatorNotices& notices)
{
    const QString& notice = registry.setAsideNotice();
    if (notice.isEmpty())
        return;
    events.LogEvent(QStringLiteral("Повреждённая база данных"), notice, EventColour::Red);
    notices.information(notice);
}

} // namespace kvt::registry
