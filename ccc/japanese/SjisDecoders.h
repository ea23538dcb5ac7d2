#pragma once

#include "../flow/StepCodecIFilter.h"
#include "JapaneseCodeTables.h"
#include "JcodeTable.h"

namespace CCC {

// Shift_JIS -> UCS-2. Bytes that are neither characters nor lead bytes
// (0x80, 0xA0, 0xF0-0xFF) are skipped; the byte after a lead byte always
// belongs to it; an unmapped pair gives U+FFFF.
struct SjisToUcs2Codec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 1;

    void reset() {}

    int step(StepCursor<In>& in, Out* out) {
        for (int b = in.next(); b >= 0; b = in.next()) {
            if (b < 0x20 || b == 0x7F) {
                out[0] = static_cast<Out>(b);
                return 1;
            }
            if (b < 0x7F || jcodeP(b, kJcodeKana)) {
                out[0] = flatMap<sjisToUcs2Table>()[static_cast<unsigned>(b)];
                return 1;
            }
            if (sjisKanjiP(static_cast<unsigned>(b))) {
                int t = in.next();
                if (t < 0) return -1;
                out[0] = flatMap<sjisToUcs2Table>()[static_cast<unsigned>(b << 8 | t)];
                return 1;
            }
        }
        return -1;
    }
};

// cp932 -> UCS-2. Every byte from 0x80 up that is not half-width katakana
// leads a pair; unmapped pairs (user-defined area included) give U+FFFF.
struct Cp932ToUcs2Codec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 1;

    void reset() {}

    int step(StepCursor<In>& in, Out* out) {
        int b = in.next();
        if (b < 0) return -1;
        if (b < 0x20 || b == 0x7F) {
            out[0] = static_cast<Out>(b);
            return 1;
        }
        if (b < 0x7F || jcodeP(b, kJcodeKana)) {
            out[0] = flatMap<cp932ToUcs2Table>()[static_cast<unsigned>(b)];
            return 1;
        }
        int t = in.next();
        if (t < 0) return -1;
        out[0] = flatMap<cp932ToUcs2Table>()[static_cast<unsigned>(b << 8 | t)];
        return 1;
    }
};

class FromSjisToUcs2 final : public StepCodecIFilter<SjisToUcs2Codec> {};
class FromCp932ToUcs2 final : public StepCodecIFilter<Cp932ToUcs2Codec> {};

} // namespace CCC
