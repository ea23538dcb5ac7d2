#include "JapaneseCodeTables.h"

namespace CCC {

#include "JapaneseCodeTables.gen.inc"

} // namespace CCC
