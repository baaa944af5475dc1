#pragma once

#include "links/LinkObjects.h"
#include "links/LinkSupervision.h"

namespace kvt {

namespace registry {
class Registry;
}

// The objects table as the radio and RS-485 links read it: the codes and names of the objects
// for the engines and their log lines (read without moving the table), and the records that
// link supervision walks.
class LinksStoreAdapter final : public links::LinkObjects, public links::SupervisedRecords {
public:
    explicit LinksStoreAdapter(registry::Registry& registry) : registry_(registry) {}

    QList<int> objectCodes() const override;
    QString objectName(int object) const override;

    QList<links::SupervisedObject> recordsByName() const override;
    std::optional<QString> currentTimeRing() const override;
    void standOn(int code) override;

private:
    registry::Registry& registry_;
};

} // namespace kvt
