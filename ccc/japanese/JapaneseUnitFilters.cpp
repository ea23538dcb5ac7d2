#include "../encoding/UnitFilterFactories.h"

namespace CCC {

IFilter* createJapaneseUnitFilter(int) { return nullptr; }

} // namespace CCC
