#pragma once

#include "packets/LinkCheckPeriodSink.h"

namespace kvt::registry {

class ObjectTable;

// The link-check period of a fully processed packet written where link supervision reads it:
// Proverca_S of the row the objects table stands on (the receive paths stand it on the sender's
// row before they decode), edited and posted at once. StoreError when the table stands on no row.
class ObjectRowLinkCheckPeriod : public LinkCheckPeriodSink {
public:
    explicit ObjectRowLinkCheckPeriod(ObjectTable& objects) : objects_(objects) {}

    void storeLinkCheckPeriod(const QString& period) override;

private:
    ObjectTable& objects_;
};

} // namespace kvt::registry
