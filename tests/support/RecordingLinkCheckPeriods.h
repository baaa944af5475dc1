#pragma once

#include "packets/LinkCheckPeriodSink.h"

#include <QStringList>

namespace kvt::test {

// The link-check periods a fully processed packet stores, in order.
class RecordingLinkCheckPeriods : public LinkCheckPeriodSink {
public:
    QStringList periods;
    void storeLinkCheckPeriod(const QString& period) override { periods << period; }
};

} // namespace kvt::test
