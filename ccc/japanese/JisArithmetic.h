#pragma once

namespace CCC {

// The fixed transformation between a JIS X 0208 pair (row and cell bytes in
// 0x21-0x7E) and a Shift_JIS pair. Both take and give two bytes packed as
// one integer (first byte high). Bytes outside the ranges give some other
// pair of bytes, never a fault: invalid input only yields invalid output.
inline unsigned sjisToJis(unsigned s1, unsigned s2) {
    int j1 = (static_cast<int>(s1) - (s1 <= 0x9F ? 0x70 : 0xB0)) * 2;
    int j2;
    if (s2 < 0x9F) {
        --j1;
        j2 = static_cast<int>(s2) - 0x1F - (s2 > 0x7F ? 1 : 0);
    } else {
        j2 = static_cast<int>(s2) - 0x7E;
    }
    return static_cast<unsigned>((j1 & 0xFF) << 8 | (j2 & 0xFF));
}

inline unsigned jisToSjis(unsigned j1, unsigned j2) {
    int s1 = ((static_cast<int>(j1) - 0x21) >> 1) + 0x81;
    if (s1 > 0x9F) s1 += 0x40;
    int s2;
    if (j1 & 1) {
        s2 = static_cast<int>(j2) + 0x1F;
        if (s2 >= 0x7F) ++s2;
    } else {
        s2 = static_cast<int>(j2) + 0x7E;
    }
    return static_cast<unsigned>((s1 & 0xFF) << 8 | (s2 & 0xFF));
}

} // namespace CCC
