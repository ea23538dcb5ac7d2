#pragma once

#include <cstdint>
#include <string>

#include "ccc/base/TString.h"

namespace syntax_test {

using DString = CCC::TString<unsigned short>;

// UTF-8 for readable expectations; the texts here are all in the BMP.
inline std::string utf8(const DString& s) {
    std::string out;
    for (unsigned short c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline std::string utf8(const DString* s) { return s ? utf8(*s) : std::string("null"); }

inline DString utf16(const std::u16string& s) {
    DString out;
    for (char16_t c : s) out.push_back(static_cast<unsigned short>(c));
    return out;
}

} // namespace syntax_test
