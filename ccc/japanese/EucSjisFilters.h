#pragma once

#include "../flow/StepCodecIFilter.h"
#include "JcodeTable.h"
#include "JisArithmetic.h"

namespace CCC {

// EUC-JP -> Shift_JIS by arithmetic. JIS X 0212 characters (0x8F and two
// bytes) are dropped whole; 0x8E introduces a half-width katakana byte;
// a byte that cannot start a character gives 0. A character cut short by a
// byte that cannot continue it is dropped, and that byte read on its own.
struct EucJpToSjisCodec {
    using In = char;
    using Out = char;
    static constexpr int kMaxOut = 2;

    void reset() {}

    int step(StepCursor<In>& in, Out* out) {
        for (int b = in.next(); b >= 0; b = in.next()) {
            if (b <= 0x7F) {
                out[0] = static_cast<Out>(b);
                return 1;
            }
            if (b == 0x8F) {
                int c = takeByteOf(in, kJcodeEuc);
                if (c >= 0) c = takeByteOf(in, kJcodeEuc);
                if (c == -1) return -1;
                continue;
            }
            if (b == 0x8E) {
                int k = takeByteOf(in, kJcodeKana);
                if (k == -1) return -1;
                if (k < 0) continue;
                out[0] = static_cast<Out>(k);
                return 1;
            }
            if (!jcodeP(static_cast<unsigned>(b), kJcodeEuc)) {
                out[0] = 0;
                return 1;
            }
            int c = takeByteOf(in, kJcodeEuc);
            if (c == -1) return -1;
            if (c < 0) continue;
            unsigned s = jisToSjis(static_cast<unsigned>(b - 0x80), static_cast<unsigned>(c - 0x80));
            out[0] = static_cast<Out>(s >> 8);
            out[1] = static_cast<Out>(s & 0xFF);
            return 2;
        }
        return -1;
    }
};

// Shift_JIS -> EUC-JP by arithmetic; half-width katakana go out behind
// 0x8E. What has no EUC-JP form is dropped: a lead byte without a trail
// byte (the byte after it stays), cp932's rows from 0xF0 up (user-defined
// and IBM extensions, lead and trail byte) and the bytes 0x80, 0xA0 and
// 0xFD-0xFF.
struct SjisToEucJpCodec {
    using In = char;
    using Out = char;
    static constexpr int kMaxOut = 2;

    void reset() {}

    int step(StepCursor<In>& in, Out* out) {
        for (int b = in.next(); b >= 0; b = in.next()) {
            if (b <= 0x7F) {
                out[0] = static_cast<Out>(b);
                return 1;
            }
            if (jcodeP(static_cast<unsigned>(b), kJcodeKana)) {
                out[0] = static_cast<Out>(0x8E);
                out[1] = static_cast<Out>(b);
                return 2;
            }
            if (sjisKanjiP(static_cast<unsigned>(b)) || (b >= 0xF0 && b <= 0xFC)) {
                int t = takeByteOf(in, kJcodeSjisTrail);
                if (t == -1) return -1;
                if (t < 0 || b >= 0xF0) continue;
                unsigned j = sjisToJis(static_cast<unsigned>(b), static_cast<unsigned>(t));
                out[0] = static_cast<Out>((j >> 8) + 0x80);
                out[1] = static_cast<Out>((j & 0xFF) + 0x80);
                return 2;
            }
        }
        return -1;
    }
};

class FromEucJpToSjis : public StepCodecIFilter<EucJpToSjisCodec> {};
class FromSjisToEucJp : public StepCodecIFilter<SjisToEucJpCodec> {};

// The vendor forms convert the same way.
class FromEucJpMsToCp932 final : public FromEucJpToSjis {};
class FromCp932ToEucJpMs final : public FromSjisToEucJp {};

} // namespace CCC
