#pragma once

#include <cstdint>

namespace Orvane {

// A text that is still arriving (being read and decoded) while it is parsed.
// Its units come in order into storage that does not move; what has
// arrived always ends at a line end, but for the end of the text.
class TextArrival {
public:
    virtual ~TextArrival() = default;

    // How many units have arrived: more than `have`, waiting for them if
    // need be, or `have` itself when the text ends there.
    virtual std::uint32_t waitBeyond(std::uint32_t have) = 0;
    // Whether waitBeyond(have) would return without waiting.
    virtual bool beyondP(std::uint32_t have) = 0;
};

} // namespace Orvane
