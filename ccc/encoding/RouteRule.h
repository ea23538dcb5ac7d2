#pragma once

#include <vector>

#include "IFilterDictionaryEntry.h"

namespace CCC {

// Derives the route of every ordered pair of distinct encodings (1-39) from
// the unit-filter table: a breadth-first search over the lossless filters
// (queue order, edges by ascending filter number, first predecessor kept),
// and where that does not reach the destination, the same search over all
// filters, marking the route lossy.
class RouteRule {
public:
    // Every route, ordered by key (from, then to).
    static std::vector<IFilterDictionaryEntry> computeAll();
};

} // namespace CCC
