#pragma once

#include "../unicode/UcsFilters.h"
#include "SingleByteTables.h"

namespace CCC {

// Byte -> UCS-2 through a 256-entry table; unassigned bytes are dropped.
class From8859ToUcs2 : public StepCodecIFilter<char, unsigned short, From8859ToUcs2> {
    using Base = StepCodecIFilter<char, unsigned short, From8859ToUcs2>;
    friend Base;

public:
    // part: 1-10, 13, 14 or 15; any other part assigns no byte at all.
    explicit From8859ToUcs2(int part) : part_(part), table_(iso8859DecodeTable(part)) {
        if (!table_) table_ = kNoBytes;
    }
    int getPart() const { return part_; }

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;

    int step(unsigned short* out) {
        char c;
        if (!next(c)) return -1;
        unsigned short u = table_[static_cast<unsigned char>(c)];
        if (u == BitmapTrie::kUnmapped) return 0;
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
    void resetState() {}

private:
    static constexpr unsigned short kNoBytes[256] = {
#define CCC_X16 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, \
                0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF
        CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16,
        CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16, CCC_X16,
#undef CCC_X16
    };
    int part_;
    const unsigned short* table_;
};

class From8859_1ToUcs2 : public From8859ToUcs2 { public: From8859_1ToUcs2() : From8859ToUcs2(1) {} };
class From8859_2ToUcs2 : public From8859ToUcs2 { public: From8859_2ToUcs2() : From8859ToUcs2(2) {} };
class From8859_3ToUcs2 : public From8859ToUcs2 { public: From8859_3ToUcs2() : From8859ToUcs2(3) {} };
class From8859_4ToUcs2 : public From8859ToUcs2 { public: From8859_4ToUcs2() : From8859ToUcs2(4) {} };
class From8859_5ToUcs2 : public From8859ToUcs2 { public: From8859_5ToUcs2() : From8859ToUcs2(5) {} };
class From8859_6ToUcs2 : public From8859ToUcs2 { public: From8859_6ToUcs2() : From8859ToUcs2(6) {} };
class From8859_7ToUcs2 : public From8859ToUcs2 { public: From8859_7ToUcs2() : From8859ToUcs2(7) {} };
class From8859_8ToUcs2 : public From8859ToUcs2 { public: From8859_8ToUcs2() : From8859ToUcs2(8) {} };
class From8859_9ToUcs2 : public From8859ToUcs2 { public: From8859_9ToUcs2() : From8859ToUcs2(9) {} };
class From8859_10ToUcs2 : public From8859ToUcs2 { public: From8859_10ToUcs2() : From8859ToUcs2(10) {} };
class From8859_13ToUcs2 : public From8859ToUcs2 { public: From8859_13ToUcs2() : From8859ToUcs2(13) {} };
class From8859_14ToUcs2 : public From8859ToUcs2 { public: From8859_14ToUcs2() : From8859ToUcs2(14) {} };
class From8859_15ToUcs2 : public From8859ToUcs2 { public: From8859_15ToUcs2() : From8859ToUcs2(15) {} };

// UCS-2 -> byte through a bitmap trie; unmapped units are dropped. With
// passControls, units below 0x20 and 0x7F pass without a lookup.
class SingleByteEncodeIFilter : public StepCodecIFilter<unsigned short, char, SingleByteEncodeIFilter> {
    using Base = StepCodecIFilter<unsigned short, char, SingleByteEncodeIFilter>;
    friend Base;

public:
    SingleByteEncodeIFilter(const BitmapTrie* trie, bool passControls)
        : trie_(trie), passControls_(passControls) {}

protected:
    static constexpr int kMaxOut = 1;
    static constexpr bool kHasRun = true;

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
    int step(char* out) {
        unsigned short u;
        if (!next(u)) return -1;
        return encode(u, out[0]) ? 1 : 0;
    }
    std::size_t run(const unsigned short* in, std::size_t n, char* out) {
        std::size_t i = 0;
        while (i < n && encode(in[i], out[i])) ++i;
        return i;
    }
    void resetState() {}

private:
    const BitmapTrie* trie_;
    bool passControls_;
};

// UCS-2 -> an 8859 part; part: 1-10, 13, 14 or 15 (any other maps nothing).
class FromUcs2To8859 : public SingleByteEncodeIFilter {
public:
    explicit FromUcs2To8859(int part) : SingleByteEncodeIFilter(iso8859EncodeTrie(part), false), part_(part) {}
    int getPart() const { return part_; }

private:
    int part_;
};

class FromUcs2To8859_1 : public FromUcs2To8859 { public: FromUcs2To8859_1() : FromUcs2To8859(1) {} };
class FromUcs2To8859_2 : public FromUcs2To8859 { public: FromUcs2To8859_2() : FromUcs2To8859(2) {} };
class FromUcs2To8859_3 : public FromUcs2To8859 { public: FromUcs2To8859_3() : FromUcs2To8859(3) {} };
class FromUcs2To8859_4 : public FromUcs2To8859 { public: FromUcs2To8859_4() : FromUcs2To8859(4) {} };
class FromUcs2To8859_5 : public FromUcs2To8859 { public: FromUcs2To8859_5() : FromUcs2To8859(5) {} };
class FromUcs2To8859_6 : public FromUcs2To8859 { public: FromUcs2To8859_6() : FromUcs2To8859(6) {} };
class FromUcs2To8859_7 : public FromUcs2To8859 { public: FromUcs2To8859_7() : FromUcs2To8859(7) {} };
class FromUcs2To8859_8 : public FromUcs2To8859 { public: FromUcs2To8859_8() : FromUcs2To8859(8) {} };
class FromUcs2To8859_9 : public FromUcs2To8859 { public: FromUcs2To8859_9() : FromUcs2To8859(9) {} };
class FromUcs2To8859_10 : public FromUcs2To8859 { public: FromUcs2To8859_10() : FromUcs2To8859(10) {} };
class FromUcs2To8859_13 : public FromUcs2To8859 { public: FromUcs2To8859_13() : FromUcs2To8859(13) {} };
class FromUcs2To8859_14 : public FromUcs2To8859 { public: FromUcs2To8859_14() : FromUcs2To8859(14) {} };
class FromUcs2To8859_15 : public FromUcs2To8859 { public: FromUcs2To8859_15() : FromUcs2To8859(15) {} };

// Between an 8859 part and US-ASCII, either way: bytes from 0x80 up are
// dropped. One class serves every part.
class From8859_xToUsAscii : public LimitIFilter<char, char, 0x80> {
public:
    explicit From8859_xToUsAscii(int part) : part_(part) {}
    int getPart() const { return part_; }

private:
    int part_;
};

class FromUsAsciiTo8859_x : public LimitIFilter<char, char, 0x80> {
public:
    explicit FromUsAsciiTo8859_x(int part) : part_(part) {}
    int getPart() const { return part_; }

private:
    int part_;
};

} // namespace CCC
