#include "../encoding/UnitFilterFactories.h"

namespace CCC {

GroupUtility* createNewlineStage(int, IOType) { return nullptr; }

} // namespace CCC
