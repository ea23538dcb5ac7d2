// UTF-7, UTF-8 (with mark) and UTF-8 without mark to UTF-16; the first
// byte picks the encoding.

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::startLibrary();
    static constexpr CCC::CeId kFrom[] = {6, 7, 8};
    fuzz::checkDecoder(kFrom[data[0] % 3], data + 1, size - 1);
    return 0;
}
