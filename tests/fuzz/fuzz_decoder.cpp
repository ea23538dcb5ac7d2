// One decoder to UTF-16 per build of this file: QM_FUZZ_FROM is the source
// encoding (21, 22, 23, 37 or 38).

#include "FuzzSupport.h"

#ifndef QM_FUZZ_FROM
#error "define QM_FUZZ_FROM to the encoding identifier"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::startLibrary();
    fuzz::checkDecoder(QM_FUZZ_FROM, data, size);
    return 0;
}
