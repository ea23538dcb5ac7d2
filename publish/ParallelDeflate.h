#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Publish {

// Raw deflate data (no header) of each input at the fastest level, with its
// CRC-32: the inputs are compressed on every core at once, each as a whole,
// so the result is the same however many cores there are.
struct Deflated {
    std::string data;
    std::uint32_t crc = 0;
};

[[nodiscard]] bool deflateInParallel(const std::vector<const std::string*>& inputs, std::vector<Deflated>& outputs);

} // namespace Publish
