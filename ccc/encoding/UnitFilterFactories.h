#pragma once

#include "../base/Unit.h"
#include "../flow/IFilter.h"
#include "../flow/Utility.h"

namespace CCC {

// The unit filters are numbered 0-112. Each family creates the filters of
// its own numbers and returns nullptr for every other number (and for its
// own numbers while a filter is not available).
IFilter* createUnicodeUnitFilter(int number);     // 0-44       unicode/
IFilter* createJapaneseUnitFilter(int number);    // 45-56, 109, 110  japanese/
IFilter* createSingleByteUnitFilter(int number);  // 57-108, 111, 112 single_byte/

// The newline stage of a newline mode (1-9) in one unit width (1, 2 or 4);
// nullptr for mode 0 or an unknown mode.   newline/
GroupUtility* createNewlineStage(int nlConv, IOType width);

} // namespace CCC
