// UTF-16 to UTF-8 without and with mark, cp932 and Shift_JIS; the first
// byte picks the encoding, the rest are UTF-16 units in machine order.

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::startLibrary();
    static constexpr CCC::CeId kTo[] = {8, 7, 37, 23};
    fuzz::checkRoute<unsigned short, char>(10, kTo[data[0] % 4], data + 1, size - 1);
    return 0;
}
