#pragma once

#include <bit>

namespace CCC {

// One node of a three-level bitmap trie: a bitmap of the nibbles below it
// that have values, and the index of the first of them on the next level.
struct SingleByteTrieNode {
    unsigned short bitmap;
    unsigned short base;
};

// A sparse 16-bit -> 16-bit map: 256 top nodes indexed by the high byte,
// middle nodes indexed through the middle nibble, values through the low
// nibble. Unmapped codes give 0xFFFF.
struct SingleByteTrie {
    static constexpr unsigned short kUnmapped = 0xFFFF;

    const SingleByteTrieNode* top;
    const SingleByteTrieNode* middle;
    const unsigned short* values;

    unsigned short lookup(unsigned int code) const {
        if (code > 0xFFFF) return kUnmapped;
        unsigned int mid = index(top[code >> 8], (code >> 4) & 15);
        if (mid == kUnmapped) return kUnmapped;
        unsigned int value = index(middle[mid], code & 15);
        return value == kUnmapped ? kUnmapped : values[value];
    }

private:
    static unsigned int index(SingleByteTrieNode node, unsigned int nibble) {
        if (!((node.bitmap >> nibble) & 1)) return kUnmapped;
        unsigned int below = static_cast<unsigned int>(std::popcount(
            static_cast<unsigned int>(node.bitmap & ((2u << nibble) - 1))));
        return (node.base + below - 1) & 0xFFFF;
    }
};

} // namespace CCC
