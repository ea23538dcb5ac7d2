// UTF-7, UTF-8 (with mark) and UTF-8 without mark to UTF-16; the first
// byte picks the encoding, and with its top bit set the UTF-8 decoders get
// the rest spelled out as runs of three-byte sequences.

#include "FuzzSupport.h"

namespace {

// Runs of three-byte sequences, which the UTF-8 decoders' block path takes
// in a loop of its own: a byte below 0xF0 stands for one (leads E0-EF, and
// A0-AF, which the decoders take for leads too), any other lets the byte
// after it through as it is: ASCII, other leads, stray continuation bytes,
// runs cut short.
std::vector<std::uint8_t> threeByteRuns(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    out.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned b = data[i];
        if (b >= 0xF0) {
            if (++i < size) out.push_back(data[i]);
            continue;
        }
        out.push_back(static_cast<std::uint8_t>((b >= 0xD0 ? 0xA0 : 0xE0) | (b & 0x0F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((b * 5) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (b >> 2)));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::startLibrary();
    static constexpr CCC::CeId kFrom[] = {6, 7, 8};
    const CCC::CeId from = kFrom[data[0] % 3];
    if ((data[0] & 0x80) && from != 6) {
        const std::vector<std::uint8_t> runs = threeByteRuns(data + 1, size - 1);
        if (!runs.empty()) fuzz::checkDecoder(from, runs.data(), runs.size());
        return 0;
    }
    fuzz::checkDecoder(from, data + 1, size - 1);
    return 0;
}
