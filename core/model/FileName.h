#pragma once

#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"
#include "ccc/encoding/EncodingIds.h"

namespace Orvane {

// File names inside the core are 8-bit strings in the platform's narrow
// encoding, handed to the C runtime as they are: UTF-8 here, code page 932
// on Windows. This is the one place that knows which; callers holding a
// UTF-16 name convert through it.
class FileName {
public:
#ifdef _WIN32
    static constexpr CCC::CeId kCeId = CCC::ceid::kCp932;
#else
    static constexpr CCC::CeId kCeId = CCC::ceid::kUtf8N;
#endif

    // Narrow name to UTF-16; false when it cannot be converted.
    [[nodiscard]] static bool toText(const CCC::TString<char>& name, CCC::TString<unsigned short>& text);
    // UTF-16 to a narrow name; false when it cannot be converted.
    [[nodiscard]] static bool fromText(const CCC::TString<unsigned short>& text, CCC::TString<char>& name);
};

} // namespace Orvane
