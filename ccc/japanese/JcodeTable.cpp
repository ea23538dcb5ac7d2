#include "JcodeTable.h"

namespace CCC {

#include "JcodeTable.gen.inc"

} // namespace CCC
