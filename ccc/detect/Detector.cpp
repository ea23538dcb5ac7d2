#include "Detector.h"

#include "../encoding/CeIdTable.h"
#include "../encoding/Iceman.h"

namespace CCC {

CeId Detector::encodingNamed(std::string_view name) {
    CeId id = Iceman::stringToCeId(name);
    return CeIdTable::encodingP(id) ? id : ceid::kNone;
}

} // namespace CCC
