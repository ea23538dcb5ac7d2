#pragma once

#include "../base/Unit.h"
#include "../flow/Flow.h"

namespace CCC {

// Runs the detector with the given identifier (40 ja, 41 xml, 42 html) over
// the flow from its current position and returns the detected encoding;
// 0 when nothing was detected or the identifier names no detector.
CeId runDetector(CeId detectorId, IFlow& in);

} // namespace CCC
