#include "store/ObjectTable.h"

#include "common/Errors.h"
#include "store/RegistryDatabase.h"

#include <QSqlRecord>
#include <QVariant>

namespace kvt::registry {

const QString kObjectColumns =
    QStringLiteral("Kod_O, Name_O, Phone_O, Time_Ring, Time_SMS, Date_SMS, Adres_O, Proverca_S");

ObjectRecord ObjectRecordFrom(const QSqlQuery& q)
{
    ObjectRecord r;
    r.Kod_O = static_cast<ObjectCode>(q.value(0).toInt());
    r.Name_O = q.value(1).toString();
    r.Phone_O = q.value(2).toString();
    r.Time_Ring = q.value(3).toString();
    r.Time_SMS = q.value(4).toString();
    r.Date_SMS = q.value(5).toString();
    r.Adres_O = q.value(6).toString();
    r.Proverca_S = q.value(7).toString();
    return r;
}

namespace {
void bindRecord(QSqlQuery& q, const ObjectRecord& r)
{
    q.addBindValue(static_cast<int>(r.Kod_O));
    // Texts are bound as texts even when empty, never as NULL.
    for (const QString* text : {&r.Name_O, &r.Phone_O, &r.Time_Ring, &r.Time_SMS, &r.Date_SMS, &r.Adres_O, &r.Proverca_S})
        q.addBindValue(text->isNull() ? QString(QLatin1String("")) : *text);
}
} // namespace

ObjectTable::ObjectTable(RegistryDatabase& db) : db_(db) {}

void ObjectTable::load()
{
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT Kod_O FROM Object_ND"));
    RegistryDatabase::exec(q, QStringLiteral("Чтение кодов объектов"));
    std::vector<qint64> codes;
    while (q.next())
        codes.push_back(q.value(0).toLongLong());
    RegistryDatabase::checkFetched(q, QStringLiteral("Чтение кодов объектов"));
    codes_.rebuild(std::move(codes));
    current_.reset();
    first();
}

void ObjectTable::setIndexFieldNames(const QString& field)
{
    if (field.compare(kNameO, Qt::CaseInsensitive) == 0)
        order_ = Order::ByName;
    else if (field.compare(kKodO, Qt::CaseInsensitive) == 0)
        order_ = Order::ByCode;
    else
        throw StoreError(QStringLiteral("Нет индекса по полю %1").arg(field));
}

QString ObjectTable::orderClause() const
{
    return order_ == Order::ByName ? QStringLiteral("Name_O, Kod_O") : QStringLiteral("Kod_O");
}

int ObjectTable::recordCount() const
{
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT count(*) FROM Object_ND"));
    RegistryDatabase::exec(q, QStringLiteral("Подсчёт объектов"));
    return q.next() ? q.value(0).toInt() : 0;
}

QList<ObjectRecord> ObjectTable::rows() const
{
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM Object_ND ORDER BY %2").arg(kObjectColumns, orderClause()));
    RegistryDatabase::exec(q, QStringLiteral("Чтение объектов"));
    QList<ObjectRecord> all;
    while (q.next())
        all.append(ObjectRecordFrom(q));
    return all;
}

const ObjectRecord& ObjectTable::currentRow() const
{
    if (!current_)
        throw StoreError(QStringLiteral("Таблица объектов не стоит ни на одной записи"));
    return *current_;
}

std::optional<ObjectRecord> ObjectTable::readOne(const QString& where, const QVariantList& values, bool descending) const
{
    QString order = orderClause();
    if (descending)
        order = order_ == Order::ByName ? QStringLiteral("Name_O DESC, Kod_O DESC") : QStringLiteral("Kod_O DESC");
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT %1 FROM Object_ND %2 ORDER BY %3 LIMIT 1")
                                  .arg(kObjectColumns, where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where, order));
    for (const QVariant& v : values)
        q.addBindValue(v);
    RegistryDatabase::exec(q, QStringLiteral("Чтение объекта"));
    if (!q.next())
        return std::nullopt;
    return ObjectRecordFrom(q);
}

bool ObjectTable::first()
{
    auto row = readOne({}, {});
    if (!row)
        return false;
    current_ = std::move(row);
    return true;
}

bool ObjectTable::last()
{
    auto row = readOne({}, {}, true);
    if (!row)
        return false;
    current_ = std::move(row);
    return true;
}

bool ObjectTable::next()
{
    if (!current_)
        return first();
    const auto row = order_ == Order::ByName
        ? readOne(QStringLiteral("(Name_O, Kod_O) > (?, ?)"), {current_->Name_O, static_cast<int>(current_->Kod_O)})
        : readOne(QStringLiteral("Kod_O > ?"), {static_cast<int>(current_->Kod_O)});
    if (!row)
        return false;
    current_ = row;
    return true;
}

void ObjectTable::stepOffCurrent()
{
    if (!current_)
        return;
    const ObjectRecord leaving = *current_;
    const auto after = order_ == Order::ByName
        ? readOne(QStringLiteral("(Name_O, Kod_O) > (?, ?)"), {leaving.Name_O, static_cast<int>(leaving.Kod_O)})
        : readOne(QStringLiteral("Kod_O > ?"), {static_cast<int>(leaving.Kod_O)});
    if (after) {
        current_ = after;
        return;
    }
    const auto before = order_ == Order::ByName
        ? readOne(QStringLiteral("(Name_O, Kod_O) < (?, ?)"), {leaving.Name_O, static_cast<int>(leaving.Kod_O)}, true)
        : readOne(QStringLiteral("Kod_O < ?"), {static_cast<int>(leaving.Kod_O)}, true);
    current_ = before;
}

bool ObjectTable::locateBy(const QString& field, const QString& value)
{
    // The store's own case folding covers Latin letters only, so the comparison is made here.
    QSqlQuery q = db_.prepare(QStringLiteral("SELECT Kod_O, %1 FROM Object_ND ORDER BY %2").arg(field, orderClause()));
    RegistryDatabase::exec(q, QStringLiteral("Поиск объекта"));
    while (q.next()) {
        if (q.value(1).toString().compare(value, Qt::CaseInsensitive) == 0)
            return locateByCode(q.value(0).toLongLong());
    }
    return false;
}

bool ObjectTable::locateByName(const QString& name)
{
    return locateBy(kNameO, name);
}

bool ObjectTable::locateByPhone(const QString& phone)
{
    return locateBy(kPhoneO, phone);
}

bool ObjectTable::locateByCode(qint64 code)
{
    auto row = readOne(QStringLiteral("Kod_O = ?"), {code});
    if (!row)
        return false;
    current_ = std::move(row);
    return true;
}

void ObjectTable::refreshCurrent()
{
    if (current_)
        current_ = readOne(QStringLiteral("Kod_O = ?"), {static_cast<int>(current_->Kod_O)});
}

ObjectCode ObjectTable::NextFreeCode()
{
    if (db_.changedElsewhere())
        load();
    qint64 code = codes_.next();
    // The codes known here and the table agree unless the file was changed behind our back.
    if (readOne(QStringLiteral("Kod_O = ?"), {code})) {
        const auto keep = current_;
        load();
        current_ = keep;
        code = codes_.next();
    }
    if (code > kLargestObjectCode)
        throw StoreError(QStringLiteral("Нет свободного кода объекта"));
    return static_cast<ObjectCode>(code);
}

void ObjectTable::append(const ObjectRecord& record)
{
    CheckObjectRecord(record);
    db_.post([&] {
        QSqlQuery q = db_.prepare(QStringLiteral("INSERT INTO Object_ND (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?)").arg(kObjectColumns));
        bindRecord(q, record);
        RegistryDatabase::exec(q, QStringLiteral("Добавление объекта"));
    });
    codes_.markUsed(record.Kod_O);
    current_ = record;
}

void ObjectTable::editCurrent(const std::function<void(ObjectRecord&)>& change)
{
    ObjectRecord edited = currentRow();
    const ObjectCode key = edited.Kod_O;
    change(edited);
    CheckObjectRecord(edited);
    db_.post([&] {
        QSqlQuery q = db_.prepare(QStringLiteral(
            "UPDATE Object_ND SET Kod_O = ?, Name_O = ?, Phone_O = ?, Time_Ring = ?, Time_SMS = ?, Date_SMS = ?,"
            " Adres_O = ?, Proverca_S = ? WHERE Kod_O = ?"));
        bindRecord(q, edited);
        q.addBindValue(static_cast<int>(key));
        RegistryDatabase::exec(q, QStringLiteral("Изменение объекта"));
        if (q.numRowsAffected() != 1)
            throw StoreError(QStringLiteral("Запись объекта %1 не найдена").arg(key));
    });
    if (edited.Kod_O != key) {
        codes_.markFree(key);
        codes_.markUsed(edited.Kod_O);
    }
    current_ = edited;
}

} // namespace kvt::registry
