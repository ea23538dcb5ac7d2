#pragma once

#include <cstddef>

#include "../base/Unit.h"
#include "EncodingIds.h"

namespace CCC {

// One name of an encoding identifier.
struct CeIdName {
    CeId id;
    const char* name;
};

// The fixed facts about every encoding identifier: its names (the first is
// the canonical one), the width its data has inside a pipeline, and for a
// byte-swapped form the machine-order identifier through which stages are
// inserted.
class CeIdTable {
public:
    static constexpr CeId kNone = ceid::kNone;
    static constexpr CeId kLastEncoding = ceid::kLastEncoding;
    static constexpr CeId kLastId = ceid::kHtmlDetector;  // the detectors follow the encodings
    static constexpr IOType kSwapped = 0;      // width of a byte-swapped form
    static constexpr IOType kDetector = 8;     // width of a detector

    // Unit width of the table: 1, 2, 4, 0 (byte-swapped) or 8 (detector);
    // 0 for identifiers outside the table.
    static IOType unitWidth(CeId id);
    // 1, 2 or 4 for an encoding whose data has one width, else 0.
    static IOType ioType(CeId id);
    // Machine-order partner of a byte-swapped form; 0 when there is none.
    static CeId swapPartner(CeId id);
    // Canonical name, or nullptr for an identifier without names.
    static const char* canonicalName(CeId id);

    static bool encodingP(CeId id) { return id >= 1 && id <= kLastEncoding; }

    // All 61 names in table order (names of one identifier in their order).
    static const CeIdName* names();
    static std::size_t nameCount();
};

} // namespace CCC
