#pragma once

#include "../flow/StepCodecIFilter.h"
#include "Iso2022JpDesignation.h"
#include "JcodeTable.h"
#include "JisArithmetic.h"

namespace CCC {

// ISO-2022-JP -> Shift_JIS (ToEuc false) or EUC-JP (ToEuc true). Escape
// sequences change the designation and give no output; an unknown one is
// consumed without a change.
template <bool ToEuc>
struct Iso2022JpDecodeCodec {
    using In = char;
    using Out = char;
    static constexpr int kMaxOut = 2;

    void reset() { g0.reset(); }

    int step(StepCursor<In>& in, Out* out) {
        int b = in.next();
        while (b == 0x1B) {
            int c = in.next();
            if (c == 0x28 || c == 0x24) {
                int d = in.next();
                if (d < 0) return -1;
                if (c == 0x28 && d == 0x42) g0.set(Iso2022JpDesignation::kAscii);
                else if (c == 0x28 && d == 0x4A) g0.set(Iso2022JpDesignation::kJisRoman);
                else if (c == 0x24 && d == 0x40) g0.set(Iso2022JpDesignation::kJis1978);
                else if (c == 0x24 && d == 0x42) g0.set(Iso2022JpDesignation::kJis1983);
            } else if (c < 0) {
                return -1;
            }
            b = in.next();
        }
        if (b < 0) return -1;
        if (g0.state() <= Iso2022JpDesignation::kJisRoman) {
            out[0] = static_cast<Out>(b);
            return 1;
        }
        int c = in.next();
        if (c < 0) return -1;
        if constexpr (ToEuc) {
            out[0] = static_cast<Out>(b + 0x80);
            out[1] = static_cast<Out>(c + 0x80);
        } else {
            unsigned s = jisToSjis(static_cast<unsigned>(b), static_cast<unsigned>(c));
            out[0] = static_cast<Out>(s >> 8);
            out[1] = static_cast<Out>(s & 0xFF);
        }
        return 2;
    }

    Iso2022JpDesignation g0;
};

// Shift_JIS -> ISO-2022-JP. Half-width katakana, ESC, SO and SI are
// dropped; a byte or pair that is not a character gives 0, and a byte that
// cannot end a pair is then read on its own.
struct SjisToIso2022JpCodec {
    using In = char;
    using Out = char;
    static constexpr int kMaxOut = Iso2022JpDesignation::kEscapeLength + 2;

    void reset() { g0.reset(); }

    int step(StepCursor<In>& in, Out* out) {
        for (int b = in.next(); b >= 0; b = in.next()) {
            if (b < 0x80) {
                if (iso2022ShiftP(b)) continue;
                return g0.put(Iso2022JpDesignation::kAscii, static_cast<unsigned>(b), out);
            }
            if (jcodeP(static_cast<unsigned>(b), kJcodeKana)) continue;
            if (sjisKanjiP(static_cast<unsigned>(b))) {
                int t = takeByteOf(in, kJcodeSjisTrail);
                if (t == -1) break;
                if (t >= 0) return g0.put(Iso2022JpDesignation::kJis1983, sjisToJis(static_cast<unsigned>(b), static_cast<unsigned>(t)), out);
            }
            out[0] = 0;
            return 1;
        }
        return g0.close(out);
    }

    Iso2022JpDesignation g0;
};

// EUC-JP -> ISO-2022-JP. JIS X 0212, half-width katakana, ESC, SO and SI
// are dropped; a byte that cannot start a character gives 0. A character cut
// short by a byte that cannot continue it is dropped, and that byte read on
// its own.
struct EucJpToIso2022JpCodec {
    using In = char;
    using Out = char;
    static constexpr int kMaxOut = Iso2022JpDesignation::kEscapeLength + 2;

    void reset() { g0.reset(); }

    int step(StepCursor<In>& in, Out* out) {
        for (int b = in.next(); b >= 0; b = in.next()) {
            if (b < 0x80) {
                if (iso2022ShiftP(b)) continue;
                return g0.put(Iso2022JpDesignation::kAscii, static_cast<unsigned>(b), out);
            }
            if (b == 0x8F || b == 0x8E) {
                int c = takeByteOf(in, b == 0x8E ? kJcodeKana : kJcodeEuc);
                if (b == 0x8F && c >= 0) c = takeByteOf(in, kJcodeEuc);
                if (c == -1) break;
                continue;
            }
            if (!jcodeP(static_cast<unsigned>(b), kJcodeEuc)) {
                out[0] = 0;
                return 1;
            }
            int c = takeByteOf(in, kJcodeEuc);
            if (c == -1) break;
            if (c < 0) continue;
            unsigned jis = static_cast<unsigned>(b - 0x80) << 8 | static_cast<unsigned>(c - 0x80);
            return g0.put(Iso2022JpDesignation::kJis1983, jis, out);
        }
        return g0.close(out);
    }

    Iso2022JpDesignation g0;
};

class FromIso2022JpToSjis final : public StepCodecIFilter<Iso2022JpDecodeCodec<false>> {};
class FromIso2022JpToEucJp final : public StepCodecIFilter<Iso2022JpDecodeCodec<true>> {};
class FromSjisToIso2022Jp final : public StepCodecIFilter<SjisToIso2022JpCodec> {};
class FromEucJpToIso2022Jp final : public StepCodecIFilter<EucJpToIso2022JpCodec> {};

} // namespace CCC
