#pragma once

#include <bit>

namespace CCC {

// One entry of a trie level: which nibbles of the next level hold values,
// and where the first of them sits in the next level's array.
struct TrieEntry {
    unsigned short bitmap;
    unsigned short base;
};

// A sparse 16-bit -> 16-bit map in three levels: the high byte indexes the
// top level, the middle nibble selects a middle entry by the rank of its bit,
// the low nibble a value the same way. Only present nibbles take space.
struct BitmapTrie {
    static constexpr unsigned short kUnmapped = 0xFFFF;

    const TrieEntry* top;
    const TrieEntry* middle;
    const unsigned short* values;

    // The value of code, or kUnmapped.
    unsigned short lookup(unsigned code) const {
        if (code > 0xFFFF) return kUnmapped;
        unsigned i = rank(top[code >> 8], (code >> 4) & 15);
        if (i >= kUnmapped) return kUnmapped;
        i = rank(middle[i], code & 15);
        if (i >= kUnmapped) return kUnmapped;
        return values[i];
    }

private:
    // Index in the next level of nibble n, or kUnmapped when n is absent.
    static unsigned rank(const TrieEntry& e, unsigned n) {
        unsigned bits = e.bitmap;
        if (!(bits >> n & 1)) return kUnmapped;
        return e.base + popcount16(bits & ((2u << n) - 1)) - 1;
    }

    // Without a population-count instruction the compiler calls a library
    // routine for std::popcount; two lookups of a byte table are cheaper.
    static unsigned popcount16(unsigned x) {
#if defined(__POPCNT__) || !(defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)))
        return static_cast<unsigned>(std::popcount(x));
#else
        return kBitsSet[x & 0xFF] + kBitsSet[x >> 8];
#endif
    }

    static constexpr unsigned char kBitsSet[256] = {
#define CCC_B2(n) n, n + 1, n + 1, n + 2
#define CCC_B4(n) CCC_B2(n), CCC_B2(n + 1), CCC_B2(n + 1), CCC_B2(n + 2)
#define CCC_B6(n) CCC_B4(n), CCC_B4(n + 1), CCC_B4(n + 1), CCC_B4(n + 2)
        CCC_B6(0), CCC_B6(1), CCC_B6(1), CCC_B6(2)
#undef CCC_B6
#undef CCC_B4
#undef CCC_B2
    };
};

} // namespace CCC
