#pragma once

#include <string_view>

#include "../base/Object.h"
#include "../base/Unit.h"
#include "../flow/Flow.h"

namespace CCC {

// Determines the encoding of a byte stream. A detector never throws to its
// caller: what it cannot tell it answers with 0.
class Detector : public Object {
public:
    Detector() = default;
    ~Detector() override = default;

    // Reads 8-bit units from the flow (from its current position) and
    // returns the encoding found, or 0.
    virtual CeId detect(IFlow& in) = 0;
    // Forgets what an earlier detect() left behind. The base has nothing to
    // forget.
    virtual bool reset() { return true; }

    // The encoding a name read from the data stands for: its identifier in
    // the name table, but 0 for an unknown name and for the names of the
    // detectors, which are no encoding a document can be written in.
    static CeId encodingNamed(std::string_view name);
};

} // namespace CCC
