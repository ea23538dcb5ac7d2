#include "../encoding/UnitFilterFactories.h"

namespace CCC {

IFilter* createSingleByteUnitFilter(int) { return nullptr; }

} // namespace CCC
