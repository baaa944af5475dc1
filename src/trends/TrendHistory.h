#pragma once

#include "store/RegistryFields.h"
#include "trends/TrendRange.h"
#include "trends/TrendTable.h"

#include <atomic>
#include <functional>
#include <vector>

namespace kvt {

namespace registry {
class StoreReader;
} // namespace registry

class TrendDecoder;

// Told now and then how far the reading is: packets read of the object's stored packets.
using TrendProgress = std::function<void(qint64 read, qint64 total)>;

// Reads the object's stored packets in the order they were stored, skips those whose receipt
// stamp names no time or lies outside `range`, draws each other one on the decoder's form and
// keeps the numbers the candidates at `chosen` show. Stops early, with a table marked
// cancelled, as soon as `cancel` is set.
TrendTable ExtractTrend(const registry::StoreReader& reader, TrendDecoder& decoder, registry::ObjectCode object,
                        const std::vector<int>& chosen, const TrendRange& range, const std::atomic<bool>& cancel,
                        const TrendProgress& progress);

// The candidates an operator is offered, as indexes into the decoder's candidates: value texts
// and setting boxes always; the other kinds when they show a number for at least one of the
// object's newest stored packets.
std::vector<int> OfferedTrendControls(const registry::StoreReader& reader, TrendDecoder& decoder,
                                      registry::ObjectCode object);

// How many of the newest packets decide whether a control is offered.
inline constexpr int kOfferSamplePackets = 50;

} // namespace kvt
