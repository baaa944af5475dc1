#include "app/LinksStoreAdapter.h"

#include "store/Registry.h"

namespace kvt {

QList<int> LinksStoreAdapter::objectCodes() const
{
    QList<int> codes;
    if (!registry_.isOpen())
        return codes;
    for (const registry::ObjectRecord& row : registry_.objects().rows())
        codes << row.Kod_O;
    return codes;
}

QString LinksStoreAdapter::objectName(int object) const
{
    if (!registry_.isOpen())
        return {};
    for (const registry::ObjectRecord& row : registry_.objects().rows()) {
        if (row.Kod_O == object)
            return row.Name_O;
    }
    return {};
}

QList<links::SupervisedObject> LinksStoreAdapter::recordsByName() const
{
    QList<links::SupervisedObject> records;
    registry::ObjectTable& table = registry_.objects();
    const registry::ObjectTable::Order order = table.order();
    table.setOrder(registry::ObjectTable::Order::ByName);
    const QList<registry::ObjectRecord> rows = table.rows();
    table.setOrder(order);
    for (const registry::ObjectRecord& row : rows)
        records.append({row.Kod_O, row.Name_O, row.Proverca_S, row.Time_Ring});
    return records;
}

std::optional<QString> LinksStoreAdapter::currentTimeRing() const
{
    const auto& current = registry_.objects().current();
    if (!current)
        return std::nullopt;
    return current->Time_Ring;
}

void LinksStoreAdapter::standOn(int code)
{
    registry_.objects().locateByCode(code);
}

} // namespace kvt
