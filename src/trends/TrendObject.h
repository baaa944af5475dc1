#pragma once

#include "store/RegistryFields.h"
#include "trends/TrendHistory.h"

#include <QString>

#include <atomic>
#include <vector>

namespace kvt {

namespace registry {
struct ObjectRecord;
} // namespace registry

// The object whose history a trend reads: where its packets are stored and where its form is.
struct TrendObject {
    QString storeFile;
    registry::ObjectCode code = 0;
    QString name;
    QString formPath; // the form file as found: as given, else under the program directory
};

// The object of `record` in the store file `storeFile`. Throws IoError with the console's own
// message when the form file is found neither as given nor under the program directory.
TrendObject TrendObjectOf(const registry::ObjectRecord& record, const QString& storeFile,
                          const QString& programDirectory);

// The store file of a program directory.
QString StoreFileOf(const QString& programDirectory);

// The values an object's trends offer.
struct TrendCatalog {
    std::vector<TrendControl> candidates; // every control of the form that can show a number
    std::vector<int> offered;             // indexes into candidates, offered to the operator
};

// What a trend is built from.
struct TrendRequest {
    TrendObject object;
    std::vector<int> chosen; // indexes into the catalogue's candidates
    TrendRange range = TrendRange::All();
};

// Both read the store through a reader and the form through a model of their own, made in the
// calling thread; they throw StoreError, IoError or FormatError when the store or the form
// cannot be read.
TrendCatalog ReadTrendCatalog(const TrendObject& object);
TrendTable RunTrend(const TrendRequest& request, const std::atomic<bool>& cancel, const TrendProgress& progress);

} // namespace kvt
