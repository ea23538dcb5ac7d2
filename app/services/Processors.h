#pragma once

namespace tolvanw32 {

// Installs the platform's thread placement for conversions (see
// Orvane::ThreadPlacement): helpers of a parse keep off its processor.
void placeConversionThreads();

} // namespace tolvanw32
