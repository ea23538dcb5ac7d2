#pragma once

#include "../unicode/UcsFilters.h"
#include "SingleByteTables.h"

namespace CCC {

// Byte -> UCS-2 through a 256-entry table; unassigned bytes are dropped.
struct Iso8859DecodeCodec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 1;

    // part: 1-10, 13, 14 or 15; any other part assigns no byte at all.
    explicit Iso8859DecodeCodec(int part) : table_(iso8859DecodeTable(part)) {
        if (!table_) table_ = kNoBytes;
    }

    int step(StepCursor<In>& in, Out* out) {
        unsigned short u;
        do {
            char c;
            if (!in.next(c)) return -1;
            u = table_[static_cast<unsigned char>(c)];
        } while (u == BitmapTrie::kUnmapped);
        out[0] = u;
        return 1;
    }
    std::size_t run(const char* in, std::size_t n, unsigned short* out) {
        std::size_t i = 0;
        for (; i < n; ++i) {
            unsigned short u = table_[static_cast<unsigned char>(in[i])];
            if (u == BitmapTrie::kUnmapped) break;
            out[i] = u;
        }
        return i;
    }
    void reset() {}

private:
    static constexpr unsigned short kNoBytes[256] = {
#define CCC_X16 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, \
                0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF
        CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16,
        CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16,
#undef CCC_X16
    };
    const unsigned short* table_;
};

// UCS-2 -> byte through a bitmap trie; unmapped units are dropped. With
// passControls, units below 0x20 and 0x7F pass without a lookup.
struct SingleByteEncodeCodec {
    using In = unsigned short;
    using Out = char;
    static constexpr int kMaxOut = 1;

    SingleByteEncodeCodec(const BitmapTrie* trie, bool passControls) : trie_(trie), passControls_(passControls) {}

    bool encode(unsigned short u, char& out) const {
        if (passControls_ && (u < 0x20 || u == 0x7F)) {
            out = static_cast<char>(u);
            return true;
        }
        unsigned short b = trie_ ? trie_->lookup(u) : BitmapTrie::kUnmapped;
        if (b == BitmapTrie::kUnmapped) return false;
        out = static_cast<char>(b);
        return true;
    }
    int step(StepCursor<In>& in, Out* out) {
        unsigned short u;
        do {
            if (!in.next(u)) return -1;
        } while (!encode(u, out[0]));
        return 1;
    }
    std::size_t run(const unsigned short* in, std::size_t n, char* out) {
        std::size_t i = 0;
        while (i < n && encode(in[i], out[i])) ++i;
        return i;
    }
    void reset() {}

private:
    const BitmapTrie* trie_;
    bool passControls_;
};

// An ISO 8859 part (1-10, 13, 14 or 15; any other maps nothing) to UCS-2
// and back.
class From8859ToUcs2 : public StepCodecIFilter<Iso8859DecodeCodec> {
public:
    explicit From8859ToUcs2(int part) : StepCodecIFilter(part) {}
};
class FromUcs2To8859 : public StepCodecIFilter<SingleByteEncodeCodec> {
public:
    explicit FromUcs2To8859(int part) : StepCodecIFilter(iso8859EncodeTrie(part), false) {}
};

// Between any 8859 part and US-ASCII, either way: bytes from 0x80 up are
// dropped.
class From8859_xToUsAscii : public LimitIFilter<char, char, 0x80> {};
class FromUsAsciiTo8859_x : public LimitIFilter<char, char, 0x80> {};

} // namespace CCC
