#pragma once

#include "../Grammar.h"
#include "../ParseTables.h"

namespace Orvane {

// The grammar of syntaxes 2, 3 and 4 with its actions, and its tables,
// built the first time they are asked for.
class S2Grammar {
public:
    static Grammar make();
    static const ParseTables& tables();
};

} // namespace Orvane
