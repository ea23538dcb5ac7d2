#pragma once

#include "../base/Unit.h"
#include "../flow/Utility.h"
#include "EncodingIds.h"

namespace CCC {

// The newline stage of a newline mode in one unit width (1, 2 or 4);
// nullptr for nlconv::kNone or an unknown mode.   newline/
GroupUtility* createNewlineStage(NLConv mode, IOType width);

} // namespace CCC
