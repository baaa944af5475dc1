#include "store/CodeAllocator.h"

#include <algorithm>

namespace kvt::registry {

void CodeAllocator::clear()
{
    freeRuns_.clear();
    ceiling_ = 1;
}

void CodeAllocator::rebuild(std::vector<qint64> codesInUse)
{
    clear();
    std::sort(codesInUse.begin(), codesInUse.end());
    qint64 expected = 1;
    for (const qint64 code : codesInUse) {
        if (code < expected)
            continue; // below 1, or a duplicate
        if (code > expected)
            freeRuns_.emplace_hint(freeRuns_.end(), expected, code - 1);
        expected = code + 1;
    }
    ceiling_ = expected;
}

qint64 CodeAllocator::next() const
{
    return freeRuns_.empty() ? ceiling_ : freeRuns_.begin()->first;
}

void CodeAllocator::markUsed(qint64 code)
{
    if (code < 1)
        return;
    if (code >= ceiling_) {
        if (code > ceiling_)
            freeRuns_.emplace(ceiling_, code - 1);
        ceiling_ = code + 1;
        return;
    }
    auto it = freeRuns_.upper_bound(code);
    if (it == freeRuns_.begin())
        return;
    --it;
    const qint64 first = it->first;
    const qint64 last = it->second;
    if (code > last)
        return; // already in use
    freeRuns_.erase(it);
    if (first < code)
        freeRuns_.emplace(first, code - 1);
    if (code < last)
        freeRuns_.emplace(code + 1, last);
}

void CodeAllocator::markFree(qint64 code)
{
    if (code < 1 || code >= ceiling_)
        return;
    if (code == ceiling_ - 1) {
        ceiling_ = code;
        // The free run just below now reaches the ceiling: fold it in.
        if (!freeRuns_.empty()) {
            auto last = std::prev(freeRuns_.end());
            if (last->second == ceiling_ - 1) {
                ceiling_ = last->first;
                freeRuns_.erase(last);
            }
        }
        return;
    }
    insertFreeRun(code, code);
}

void CodeAllocator::insertFreeRun(qint64 first, qint64 last)
{
    auto after = freeRuns_.upper_bound(first);
    if (after != freeRuns_.begin()) {
        auto before = std::prev(after);
        if (before->second >= first)
            return; // already free
        if (before->second + 1 == first) {
            first = before->first;
            freeRuns_.erase(before);
        }
    }
    if (after != freeRuns_.end() && after->first == last + 1) {
        last = after->second;
        freeRuns_.erase(after);
    }
    freeRuns_.emplace(first, last);
}

} // namespace kvt::registry
