#pragma once

#include "../base/Unit.h"

namespace CCC {

// The route between two encodings: the unit filters to chain, in order, and
// whether any of them may lose characters.
struct IFilterDictionaryEntry {
    static constexpr int kMaxUnits = 8;
    static constexpr int kEnd = -1;

    int from = 0;
    int to = 0;
    int lost = 0;                              // 0 lossless, -1 lossy
    int unitFilters[kMaxUnits + 1] = {kEnd};   // ended by -1

    static constexpr int keyOf(CeId from, CeId to) { return from * 65536 + to; }
    int key() const { return keyOf(from, to); }

    int length() const {
        int n = 0;
        while (n < kMaxUnits && unitFilters[n] != kEnd) ++n;
        return n;
    }
};

} // namespace CCC
