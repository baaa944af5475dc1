#pragma once

#include "links/LinkEvents.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <optional>

namespace kvt::test {

// What link engines tell the console, recorded in order (on the main thread, through a
// LinkEventQueue).
class RecordingLinkEvents : public links::LinkEventSink {
public:
    struct Outcome {
        links::PendingFrameKind kind;
        int object;
        bool delivered;
    };

    QList<QPair<int, int>> errorCounts; // object, new ErrCnt
    QList<bool> lamps;
    QList<Outcome> outcomes;
    QList<QPair<int, QString>> rejected;
    QList<QPair<int, quint64>> dropped;
    QStringList failures;

    void errorCountChanged(int object, int errCnt) override { errorCounts.append({object, errCnt}); }
    void lampChanged(bool lit) override { lamps.append(lit); }
    void frameOutcome(links::PendingFrameKind kind, int object, bool delivered) override
    {
        outcomes.append({kind, object, delivered});
    }
    void addressRejected(int object, const QString& address) override { rejected.append({object, address}); }
    void reportDropped(int object, quint64 total) override { dropped.append({object, total}); }
    void engineFailed(const QString& reason) override { failures << reason; }

    bool lampLit() const { return !lamps.isEmpty() && lamps.last(); }
    // The latest ErrCnt told for the object; none when nothing was told.
    std::optional<int> errCnt(int object) const
    {
        for (auto it = errorCounts.crbegin(); it != errorCounts.crend(); ++it) {
            if (it->first == object)
                return it->second;
        }
        return std::nullopt;
    }
    // The ErrCnt values told for the object, in order.
    QList<int> errCntHistory(int object) const
    {
        QList<int> values;
        for (const auto& [who, value] : errorCounts) {
            if (who == object)
                values << value;
        }
        return values;
    }
};

} // namespace kvt::test
