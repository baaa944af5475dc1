#pragma once

#include "store/ObjectRecord.h"
#include "objects/ui/RootedTreeModel.h"

#include <functional>

namespace kvt::registry {

// The model of the object tree: the root "Список объектов" with image 0 and one node per
// object (text Name_O, data Kod_O, no image until the status display sets one).
class ObjectTreeModel : public RootedTreeModel {
    Q_OBJECT
public:
    static inline const QString kRootText = QStringLiteral("Список объектов");
    static constexpr int kRootImage = 0;

    explicit ObjectTreeModel(QObject* parent = nullptr);

    // Replaces the object nodes by one node per row, in the order given.
    void setObjects(const QList<ObjectRecord>& rows);
};

// The model of the history tree: the root names the selected object and carries its image;
// below it the object's stored packets, newest first (text Date_Time_SMS, data Kod_SMS,
// image 2). The entries are read page by page as the view scrolls, so an object with a very
// long history shows at once.
class HistoryTreeModel : public RootedTreeModel {
    Q_OBJECT
public:
    static constexpr int kEntryImage = 2;
    static constexpr int kPageSize = 500;

    // Reads up to `limit` entries of an object below a packet code, newest first.
    using PageReader = std::function<QList<HistoryEntry>(ObjectCode object, PacketCode belowCode, int limit)>;

    explicit HistoryTreeModel(PageReader reader, QObject* parent = nullptr);

    // Appends the history of the object below the root (the first page at once).
    void fillHistory(ObjectCode object);
    // Deletes the entries; no more pages are read.
    void clearHistory();

    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    PageReader reader_;
    ObjectCode object_ = 0;
    PacketCode nextBelow_ = 0;
    bool exhausted_ = true;
    bool fetching_ = false; // a view may ask for more while a page is being inserted
};

} // namespace kvt::registry
