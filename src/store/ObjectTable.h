#pragma once

#include "store/CodeAllocator.h"
#include "store/ObjectRecord.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QSqlQuery;

namespace kvt::registry {

class RegistryDatabase;

// The columns of Object_ND in the order ObjectRecordFrom reads them.
extern const QString kObjectColumns;
// The object of the current row of a query that selected kObjectColumns.
ObjectRecord ObjectRecordFrom(const QSqlQuery& q);

// The objects table (Object_Table): its rows in the order of the chosen index, and the row it
// stands on. Every locate and every move changes that current row; a locate that finds nothing
// leaves it where it was. Every change is posted at once and is durable when the call returns.
class ObjectTable {
public:
    enum class Order { ByCode, ByName };

    explicit ObjectTable(RegistryDatabase& db);

    // Reads what the table needs at start (the codes in use); part of opening the store.
    void load();

    // Orders by the index of the named field ("Kod_O" or "Name_O"); the current row stays.
    void setIndexFieldNames(const QString& field);
    void setOrder(Order order) { order_ = order; }
    Order order() const { return order_; }

    int recordCount() const;
    QList<ObjectRecord> rows() const; // every row in the current order

    const std::optional<ObjectRecord>& current() const { return current_; }
    bool hasCurrent() const { return current_.has_value(); }
    // The current row; StoreError when the table stands on no row.
    const ObjectRecord& currentRow() const;

    bool first();
    bool last();
    bool next(); // false at the end (the current row stays the last one)

    // First row in the current order whose name equals `name` ignoring letter case (any
    // alphabet, Cyrillic included).
    bool locateByName(const QString& name);
    // First row whose phone equals `phone` ignoring letter case.
    bool locateByPhone(const QString& phone);
    bool locateByCode(qint64 code);

    // The smallest positive code not in use.
    ObjectCode NextFreeCode();

    // Appends and posts a row; it becomes the current row.
    void append(const ObjectRecord& record);
    // Edits the current row through `change` and posts it.
    void editCurrent(const std::function<void(ObjectRecord&)>& change);
    // Re-reads the current row from the store.
    void refreshCurrent();

    // For the registry's removal, which deletes the row together with its history.
    CodeAllocator& codes() { return codes_; }
    // Moves off a row about to disappear: to the row after it in the current order, else the
    // one before it, else none.
    void stepOffCurrent();

private:
    QString orderClause() const;
    std::optional<ObjectRecord> readOne(const QString& where, const QVariantList& values, bool descending = false) const;
    bool locateBy(const QString& field, const QString& value);

    RegistryDatabase& db_;
    Order order_ = Order::ByCode;
    std::optional<ObjectRecord> current_;
    CodeAllocator codes_;
};

} // namespace kvt::registry
