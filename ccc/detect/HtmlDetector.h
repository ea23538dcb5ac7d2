#pragma once

#include <cstddef>
#include <string_view>

#include "Detector.h"

namespace CCC {

// Reads the charset of a META http-equiv Content-Type tag inside the HEAD
// of an HTML document. Keeps no state between calls.
class HtmlDetector : public Detector {
public:
    CeId detect(IFlow& in) override;

    // The scan over a text already in memory (it ends at the first 0 byte).
    static CeId scan(std::string_view text);
};

} // namespace CCC
