#pragma once

#include <QtGlobal>

#include <map>
#include <vector>

namespace kvt::registry {

// Knows which positive codes of a table are free, so that the smallest free one is found
// without walking the table: the free runs below the highest code in use, and the first
// code above it. Codes below 1 are ignored (they are never handed out).
class CodeAllocator {
public:
    // Starts over from every code in use, in any order, duplicates allowed.
    void rebuild(std::vector<qint64> codesInUse);
    void clear();

    // The smallest positive code not in use.
    qint64 next() const;

    void markUsed(qint64 code);
    void markFree(qint64 code);

    // Number of separate free runs below the highest code in use (for tests and diagnostics).
    std::size_t freeRunCount() const { return freeRuns_.size(); }

private:
    void insertFreeRun(qint64 first, qint64 last);

    std::map<qint64, qint64> freeRuns_; // first free code -> last free code of the run
    qint64 ceiling_ = 1;                 // every code from here up is free
};

} // namespace kvt::registry
