#pragma once

// UTF-8 test literals to the core's UTF-16 text and back, through the
// library's own conversion (start it first: LibraryStartup.h).

#include <string>

#include "ccc/encoding/Iceman.h"

namespace qmtest {

using DString = CCC::TString<unsigned short>;

inline DString u16(const std::string& utf8) {
    DString out;
    CCC::Iceman::convertToDString(8, 10, CCC::TString<char>(utf8.data(), utf8.size()), out);
    return out;
}

inline std::string utf8(const DString& s) {
    CCC::TString<char> out;
    CCC::Iceman::convertToBString(10, 8, s, out);
    return std::string(out.data(), out.size());
}
inline std::string utf8(CCC::UnitStringView<unsigned short> s) { return utf8(DString(s)); }

} // namespace qmtest
