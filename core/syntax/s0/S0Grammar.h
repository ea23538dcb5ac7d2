#pragma once

#include "../Grammar.h"
#include "../ParseTables.h"

namespace Orvane {

// The trace grammar with its actions, which print a trace line for every
// reduction, and its tables, unpacked from the embedded ones the first
// time they are asked for.
class S0Grammar {
public:
    static Grammar make();
    static const ParseTables& tables();
};

} // namespace Orvane
