#include "../encoding/UnitFilterFactories.h"

namespace CCC {

IFilter* createUnicodeUnitFilter(int) { return nullptr; }

} // namespace CCC
