#pragma once

#include "../base/UnitRuns.h"
#include "../flow/StepCodecIFilter.h"

namespace CCC {

inline bool highSurrogateP(unsigned int u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool lowSurrogateP(unsigned int u) { return u >= 0xDC00 && u <= 0xDFFF; }
inline bool surrogateP(unsigned int u) { return (u & ~0x7FFu) == 0xD800; }

// UTF-16 to 32-bit units: a high surrogate followed by a low one becomes one
// code point; a lone surrogate is dropped by itself (the unit after a lone
// high one may be a quote or a '<' and must survive); every other unit is
// widened. Also serves UCS-2, whose surrogates can only come from UTF-7.
struct Utf16ToCodePointCodec {
    using In = unsigned short;
    using Out = unsigned int;
    static constexpr int kMaxOut = 1;

    int step(StepCursor<In>& in, Out* out) {
        unsigned short u, low;
        if (!in.next(u)) return -1;
        if (!surrogateP(u)) {
            out[0] = u;
            return 1;
        }
        if (!highSurrogateP(u)) return 0;
        if (!in.next(low)) return -1;
        if (!lowSurrogateP(low)) {
            in.unread();
            return 0;
        }
        out[0] = 0x10000u + ((u - 0xD800u) << 10) + (low - 0xDC00u);
        return 1;
    }
    std::size_t run(const unsigned short* in, std::size_t n, unsigned int* out) {
        return convertWhile(in, n, out, [](unsigned int u) { return !surrogateP(u); });
    }
    void reset() {}
};

// 32-bit code points to UTF-16: values from 0x110000 up and surrogate values
// (which would make lone or spurious pairs) are dropped, values from 0x10000
// become a surrogate pair. With dropMark set, a U+FEFF that
// would be the first unit delivered is dropped.
struct CodePointToUtf16Codec {
    using In = unsigned int;
    using Out = unsigned short;
    static constexpr int kMaxOut = 2;

    explicit CodePointToUtf16Codec(bool dropMark) : dropMark_(dropMark), fresh_(dropMark) {}

    int step(StepCursor<In>& in, Out* out) {
        unsigned int u;
        if (!in.next(u)) return -1;
        if (u >= 0x110000 || surrogateP(u)) return 0;
        if (fresh_) {
            fresh_ = false;
            if (u == 0xFEFF) return 0;
        }
        if (u < 0x10000) {
            out[0] = static_cast<unsigned short>(u);
            return 1;
        }
        u -= 0x10000;
        out[0] = static_cast<unsigned short>(0xD800 + (u >> 10));
        out[1] = static_cast<unsigned short>(0xDC00 + (u & 0x3FF));
        return 2;
    }
    std::size_t run(const unsigned int* in, std::size_t n, unsigned short* out) {
        if (fresh_) return 0;
        return convertWhile(in, n, out, [](unsigned int v) { return (v < 0x10000) & !surrogateP(v); });
    }
    void reset() { fresh_ = dropMark_; }

private:
    bool dropMark_;
    bool fresh_;
};

class FromUcs2ToUcs4 : public StepCodecIFilter<Utf16ToCodePointCodec> {};
class FromUtf16NToUcs4 : public StepCodecIFilter<Utf16ToCodePointCodec> {};
class FromUtf16NToUtf32N : public StepCodecIFilter<Utf16ToCodePointCodec> {};
class FromUcs4ToUtf16N : public StepCodecIFilter<CodePointToUtf16Codec> {
public:
    FromUcs4ToUtf16N() : StepCodecIFilter(true) {}
};
class FromUtf32NToUtf16N : public StepCodecIFilter<CodePointToUtf16Codec> {
public:
    FromUtf32NToUtf16N() : StepCodecIFilter(false) {}
};

} // namespace CCC
