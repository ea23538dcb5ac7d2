#pragma once

#include "../base/Unit.h"

namespace CCC {

class IFilter;

// What the route rule knows of a one-step converter.
struct UnitFilterInfo {
    int number;
    CeId from;
    CeId to;
    bool lossy;        // it can meet characters the destination lacks
    IFilter* (*make)();  // a new filter
};

// The 114 unit filters, numbered 0-113. The numbering decides ties between
// routes of equal length.
class UnitFilterTable {
public:
    static constexpr int kCount = 114;

    // nullptr for a number outside 0-113.
    static const UnitFilterInfo* info(int number);
    // A new filter; nullptr when the number is unknown.
    static IFilter* create(int number);
};

} // namespace CCC
