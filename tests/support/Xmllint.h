#pragma once

// xmllint as the independent judge of well-formed output.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "Files.h"

namespace qmtest {

struct XmlCheck {
    bool wellFormed;
    std::string diagnostics;
};

// `xmllint --noout --nonet` over files (shell text, quoted); well-formed
// when it exits 0 and says nothing.
inline XmlCheck xmllint(const std::string& quotedFiles) {
    Scratch scratch("xmllint");
    const fs::path log = scratch / "log";
    const int raw =
        std::system(("xmllint --noout --nonet " + quotedFiles + " >" + shellQuote(log.string()) + " 2>&1").c_str());
    XmlCheck check{WIFEXITED(raw) && WEXITSTATUS(raw) == 0, readBytes(log)};
    check.wellFormed = check.wellFormed && check.diagnostics.empty();
    return check;
}

} // namespace qmtest
