#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "ccc/base/TString.h"

namespace texttest {

template <class T>
CCC::TString<T> units(std::string_view bytes) {
    return CCC::TString<T>::fromAscii(bytes);
}

// Units back to bytes for readable comparisons; units above 0xFF show as '?'.
template <class T>
std::string narrow(const CCC::TString<T>& s) {
    std::string r;
    for (T u : s) {
        const unsigned long v = static_cast<std::make_unsigned_t<T>>(u);
        r.push_back(v > 0xFF ? '?' : static_cast<char>(v));
    }
    return r;
}

// snprintf's text, the reference for numeric conversions.
template <class... V>
std::string cprintf(const char* format, V... v) {
    const int n = std::snprintf(nullptr, 0, format, v...);
    std::string out(static_cast<std::size_t>(n < 0 ? 0 : n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, v...);
    out.resize(out.size() - 1);
    return n < 0 ? "(snprintf failed)" : out;
}

} // namespace texttest
