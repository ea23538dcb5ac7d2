#pragma once

#include <array>

#include "Iso8859Filters.h"

namespace CCC {

// Windows-1252 -> UCS-2: controls below 0x20 and 0x7F pass; every other
// byte is looked up, an unassigned one gives 0xFFFF.
struct Cp1252ToUcs2Codec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 1;

    // The trie read once into a flat table: decoding is then one load a byte.
    static const unsigned short* table() {
        static const std::array<unsigned short, 256> t = [] {
            std::array<unsigned short, 256> a{};
            for (unsigned int b = 0; b < 256; ++b)
                a[b] = b < 0x20 || b == 0x7F ? static_cast<unsigned short>(b) : cp1252DecodeTrie().lookup(b);
            return a;
        }();
        return t.data();
    }
    static unsigned short decode(char c) { return table()[static_cast<unsigned char>(c)]; }
    int step(StepCursor<In>& in, Out* out) {
        char c;
        if (!in.next(c)) return -1;
        out[0] = decode(c);
        return 1;
    }
    std::size_t run(const char* in, std::size_t n, unsigned short* out) {
        const unsigned short* t = table();
        for (std::size_t i = 0; i < n; ++i) out[i] = t[static_cast<unsigned char>(in[i])];
        return n;
    }
    void reset() {}
};

class FromCp1252ToUcs2 : public StepCodecIFilter<Cp1252ToUcs2Codec> {};

// UCS-2 -> Windows-1252: controls and 0x7F pass, unmapped units are dropped.
class FromUcs2ToCp1252 : public StepCodecIFilter<SingleByteEncodeCodec> {
public:
    FromUcs2ToCp1252() : StepCodecIFilter(&cp1252EncodeTrie(), true) {}
};

} // namespace CCC
