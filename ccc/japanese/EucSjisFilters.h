#pragma once

#include "CodecIFilter.h"
#include "JcodeTable.h"
#include "JisArithmetic.h"

namespace CCC {

// EUC-JP -> Shift_JIS by arithmetic. JIS X 0212 characters (0x8F and two
// bytes) are dropped whole; 0x8E introduces a half-width katakana byte;
// a byte that cannot start a character gives 0.
struct EucJpToSjisCodec {
    using In = char;
    using Out = char;
    static constexpr std::size_t kMaxOut = 2;

    void reset() {}

    std::size_t step(SourceCursor<In>& in, Out* out) {
        for (int b = in.next(); b >= 0; b = in.next()) {
            if (b <= 0x7F) {
                out[0] = static_cast<Out>(b);
                return 1;
            }
            if (b == 0x8F) {
                if (in.next() < 0 || in.next() < 0) return 0;
                continue;
            }
            if (b == 0x8E) {
                int k = in.next();
                if (k < 0) return 0;
                out[0] = static_cast<Out>(k);
                return 1;
            }
            if (!jcodeP(static_cast<unsigned>(b), kJcodeEuc)) {
                out[0] = 0;
                return 1;
            }
            int c = in.next();
            if (c < 0) return 0;
            unsigned s = jisToSjis(static_cast<unsigned>(b - 0x80), static_cast<unsigned>(c - 0x80) & 0xFF);
            out[0] = static_cast<Out>(s >> 8);
            out[1] = static_cast<Out>(s & 0xFF);
            return 2;
        }
        return 0;
    }
};

// Shift_JIS -> EUC-JP by arithmetic. Every byte from 0x80 up that does not
// lead a pair goes out behind 0x8E, as half-width katakana do.
struct SjisToEucJpCodec {
    using In = char;
    using Out = char;
    static constexpr std::size_t kMaxOut = 2;

    void reset() {}

    std::size_t step(SourceCursor<In>& in, Out* out) {
        int b = in.next();
        if (b < 0) return 0;
        if (b <= 0x7F) {
            out[0] = static_cast<Out>(b);
            return 1;
        }
        if (sjisKanjiP(static_cast<unsigned>(b))) {
            int t = in.next();
            if (t < 0) return 0;
            unsigned j = sjisToJis(static_cast<unsigned>(b), static_cast<unsigned>(t));
            out[0] = static_cast<Out>((j >> 8) + 0x80);
            out[1] = static_cast<Out>((j & 0xFF) + 0x80);
            return 2;
        }
        out[0] = static_cast<Out>(0x8E);
        out[1] = static_cast<Out>(b);
        return 2;
    }
};

class FromEucJpToSjis : public CodecIFilter<EucJpToSjisCodec> {};
class FromSjisToEucJp : public CodecIFilter<SjisToEucJpCodec> {};

// The vendor forms convert the same way.
class FromEucJpMsToCp932 final : public FromEucJpToSjis {};
class FromCp932ToEucJpMs final : public FromSjisToEucJp {};

} // namespace CCC
