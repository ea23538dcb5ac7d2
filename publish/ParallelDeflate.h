#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Publish {

// Raw deflate data (no header) of an input at the fastest level, with its
// CRC-32. Each input is compressed as a whole, so the result is the same
// however many cores there are.
struct Deflated {
    std::string data;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;  // of the input
};

// One input, on the calling thread.
[[nodiscard]] bool deflateWhole(const std::string& input, Deflated& output);
// All inputs, on every core at once.
[[nodiscard]] bool deflateInParallel(const std::vector<const std::string*>& inputs, std::vector<Deflated>& outputs);

} // namespace Publish
