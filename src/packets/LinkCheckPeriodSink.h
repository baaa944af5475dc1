#pragma once

#include <QString>

namespace kvt {

// Where a fully processed packet puts the link-check period of its object (Proverca_S of the
// object's row): the value of the setting box marked 321 as decimal text, or "0" when the packet
// does not reach the box's bytes. Link supervision of the GSM link reads the period from there.
class LinkCheckPeriodSink {
public:
    virtual ~LinkCheckPeriodSink() = default;

    // Called while the packet is decoded, at the marked box, before the controls after it are
    // decoded; the period is stored (posted) when the call returns. A failure to store it ends
    // the decoding like a conversion failure.
    virtual void storeLinkCheckPeriod(const QString& period) = 0;
};

} // namespace kvt
