#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Publish {

// Raw deflate data (no header) of each input at the fastest level, made of
// fixed-size pieces compressed at once on every core and joined (each but
// the last ends on a byte boundary with a sync flush, and none refers back
// into another), with the CRC-32 of the whole. The pieces depend on the
// sizes only, so the result is the same however many cores there are.
struct Deflated {
    std::string data;
    std::uint32_t crc = 0;
};

[[nodiscard]] bool deflateInParallel(const std::vector<const std::string*>& inputs, std::vector<Deflated>& outputs);

} // namespace Publish
