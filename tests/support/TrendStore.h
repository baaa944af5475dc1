#pragma once

#include "store/Registry.h"
#include "support/RegistryFixture.h"
#include "support/SampleForms.h"
#include "trends/TrendObject.h"

#include <QString>

#include <atomic>

// A store holding one object with a sample form and the packets a test stores for it, and the
// trends read from it as the window and kvt-tool read them.
namespace kvt::test {

class TrendStore {
public:
    static constexpr registry::ObjectCode kCode = 1;
    static inline const QString kName = QStringLiteral("Насосная");

    explicit TrendStore(const QString& sampleForm)
    {
        fixture_.addObject(kCode, kName);
        fixture_.registry().objects().editCurrent(
            [&](registry::ObjectRecord& row) { row.Adres_O = SampleForm(sampleForm); });
        object_ = TrendObjectOf(fixture_.registry().objects().currentRow(), fixture_.storeFile(),
                                fixture_.programDirectory());
    }

    RegistryFixture& fixture() { return fixture_; }
    const TrendObject& object() const { return object_; }

    // Stores a packet as a receive path does, with its receipt stamp.
    void store(const QString& stamp, const QString& packet)
    {
        fixture_.registry().objects().locateByCode(kCode);
        fixture_.registry().StoreStatePacket(packet, stamp);
    }

    // The index among the form's candidates of the control with this component name.
    int candidate(const QString& name) const
    {
        const TrendCatalog catalog = ReadTrendCatalog(object_);
        for (std::size_t i = 0; i < catalog.candidates.size(); ++i) {
            if (catalog.candidates[i].name == name)
                return int(i);
        }
        qFatal("no trend candidate %s", qPrintable(name));
    }

    TrendTable read(const std::vector<int>& chosen, const TrendRange& range = TrendRange::All()) const
    {
        const std::atomic<bool> never{false};
        return RunTrend(TrendRequest{object_, chosen, range}, never, {});
    }

private:
    RegistryFixture fixture_;
    TrendObject object_;
};

} // namespace kvt::test
