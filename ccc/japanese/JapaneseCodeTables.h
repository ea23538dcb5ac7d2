#pragma once

#include "../base/BitmapTrie.h"

namespace CCC {

// The code tables of the Japanese encodings (generated, see
// tools/gen_japanese_tables.py). Two-byte codes are one integer, lead byte
// high: Shift_JIS 0x82A0 is the bytes 82 A0; a JIS code is row + 0x20,
// cell + 0x20 (0x2422). Results below 0x100 are one-byte codes. The tries
// are constants so that lookups address the arrays directly.
#define CCC_JAPANESE_TRIE(name)                              \
    extern const TrieEntry name##Top[256];                   \
    extern const TrieEntry name##Middle[];                   \
    extern const unsigned short name##Values[];              \
    inline constexpr BitmapTrie name##Table{name##Top, name##Middle, name##Values};

CCC_JAPANESE_TRIE(sjisToUcs2)       // 7037 entries
CCC_JAPANESE_TRIE(cp932ToUcs2)      // 7915
CCC_JAPANESE_TRIE(ucs2ToSjis)       // 7037
CCC_JAPANESE_TRIE(ucs2ToCp932)      // 7517
CCC_JAPANESE_TRIE(ucs2ToEucJp)      // 6879, JIS codes
CCC_JAPANESE_TRIE(ucs2ToIso2022Jp)  // 6974, JIS codes and JIS-Roman bytes

#undef CCC_JAPANESE_TRIE

} // namespace CCC
