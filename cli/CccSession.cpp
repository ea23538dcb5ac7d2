#include "CccSession.h"

#include <cstdio>

#include "ccc/encoding/Ccc.h"

namespace quillmark {

bool startCcc(const char* command) {
    if (CCC::Ccc::initialize()) return true;
    std::fprintf(stderr, "quillmark %s: the encoding library did not start\n", command);
    return false;
}

} // namespace quillmark
