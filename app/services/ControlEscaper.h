#pragma once

#include <algorithm>
#include <cstddef>
#include <span>

#include "app/services/EscapeTables.h"

namespace tolvanw32 {

// A mark as a run of units of one width.
template <class T>
struct UnitRun {
    const T* units = nullptr;
    std::size_t length = 0;
};

// Puts `escape` in front of every mark of `marks` found where a character
// begins in text[0, n), appending to `out`. The walk ends at the first NUL
// unit; its position is returned (n when there is none) so that the caller
// can keep the rest as it is.
//
// Over bytes (Shift_JIS) the second byte of a two-byte character is copied
// without being examined, so 0x95 0x5C keeps its 0x5C unescaped. Over 16-bit
// units every unit starts a character; surrogates are no marks and pass.
template <class T, class Out>
std::size_t escapeMarks(const T* text, std::size_t n, std::span<const UnitRun<T>> marks, UnitRun<T> escape,
                        Out& out) {
    std::size_t p = 0;
    while (p < n && text[p] != T(0)) {
        for (const UnitRun<T>& m : marks) {
            if (m.length <= n - p && std::equal(m.units, m.units + m.length, text + p)) {
                out.append(escape.units, escape.length);
                break;
            }
        }
        T unit = text[p];
        out.push_back(unit);
        ++p;
        if constexpr (sizeof(T) == 1) {
            if (sjisLeadByteP(static_cast<unsigned char>(unit))) {
                if (p >= n || text[p] == T(0)) break;
                out.push_back(text[p]);
                ++p;
            }
        }
    }
    return p;
}

} // namespace tolvanw32
