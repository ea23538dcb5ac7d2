#pragma once

#include "../Grammar.h"
#include "../ParseTables.h"

namespace Orvane {

// The grammar of the markup with macros with its actions, and its tables,
// built the first time they are asked for.
class S1Grammar {
public:
    static Grammar make();
    static const ParseTables& tables();
};

} // namespace Orvane
