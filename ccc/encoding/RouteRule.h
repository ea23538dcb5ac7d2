#pragma once

#include <vector>

#include "../base/Unit.h"
#include "IFilterDictionaryEntry.h"

namespace CCC {

// Derives the route of every ordered pair of distinct encodings (1-39) from
// the unit-filter table: a breadth-first search over the lossless filters
// (queue order, edges by ascending filter number, first predecessor kept),
// and where that does not reach the destination, the same search over all
// filters, marking the route lossy.
class RouteRule {
public:
    // The routes from one encoding, ordered by destination.
    static std::vector<IFilterDictionaryEntry> computeFrom(CeId from);
};

} // namespace CCC
