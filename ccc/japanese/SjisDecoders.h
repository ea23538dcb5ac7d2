#pragma once

#include <algorithm>
#include <memory>

#include "../base/UnitRuns.h"
#include "../flow/StepCodecIFilter.h"
#include "JapaneseCodeTables.h"
#include "JcodeTable.h"

namespace CCC {

// The block path shared by the Shift_JIS and cp932 decoders: what each byte
// value is, worked out once from the decoder's own rules so that the two
// paths cannot differ, and one flat table indexed by a byte and the byte
// after it, which holds a pair's unit for a lead byte and the byte's own
// unit (whatever follows) for a single byte. A character is then one
// look-up of its kind and one of its unit, its length taken without a branch.
class SjisBlockDecoder {
public:
    enum Kind : unsigned char { kSingle, kLead, kLeftToStep };

    // kindOf(byte), and for a single byte singleOf(byte), its unit; pairs is
    // the flat table of pairs.
    template <class KindOf, class SingleOf>
    SjisBlockDecoder(const unsigned short* pairs, KindOf kindOf, SingleOf singleOf) : units_(new unsigned short[0x10000]) {
        asciiKept_ = true;
        for (unsigned b = 0; b < 256; ++b) {
            kind_[b] = kindOf(b);
            const unsigned short one = kind_[b] == kSingle ? singleOf(b) : 0;
            for (unsigned t = 0; t < 256; ++t) units_[b << 8 | t] = kind_[b] == kLead ? pairs[b << 8 | t] : one;
            if (b < 0x80 && (kind_[b] != kSingle || one != b)) asciiKept_ = false;
        }
    }

    // Whole characters while they fit, up to a byte that step() must see
    // (a last byte by itself is one too: it may lead a pair).
    void run(const char*& in, const char* inEnd, unsigned short*& out, const unsigned short* outEnd) const {
        const unsigned short* const units = units_.get();
        const unsigned char* const kinds = kind_;
        const bool asciiKept = asciiKept_;
        const char* ip = in;
        unsigned short* op = out;
        // Each character takes at most two bytes: stop bounds both ranges.
        for (unsigned short* stop; (stop = op + std::min<std::size_t>(outEnd - op, (inEnd - ip) / 2)) != op;) {
            do {
                const unsigned b = static_cast<unsigned char>(ip[0]), next = static_cast<unsigned char>(ip[1]);
                if (asciiKept && (b | next) < 0x80 &&
                    repeatBlocks<16, 1, 1, 16, 16>(ip, inEnd, op, outEnd, widenAsciiSixteen))
                    break;  // the bound no longer holds
                const unsigned kind = kinds[b];
                if (kind == kLeftToStep) {
                    in = ip;
                    out = op;
                    return;
                }
                *op++ = units[b << 8 | next];
                ip += 1 + kind;
            } while (op != stop);
        }
        in = ip;
        out = op;
    }

private:
    std::unique_ptr<unsigned short[]> units_;
    unsigned char kind_[256];
    bool asciiKept_;
};

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

    void bulk(const In*& in, const In* inEnd, Out*& out, Out* outEnd) {
        static const SjisBlockDecoder blocks(flatMap<sjisToUcs2Table>(), kindOf, singleOf);
        blocks.run(in, inEnd, out, outEnd);
    }

private:
    static SjisBlockDecoder::Kind kindOf(unsigned b) {
        if (b < 0x80 || jcodeP(b, kJcodeKana)) return SjisBlockDecoder::kSingle;
        return sjisKanjiP(b) ? SjisBlockDecoder::kLead : SjisBlockDecoder::kLeftToStep;
    }
    static unsigned short singleOf(unsigned b) {
        return b < 0x20 || b == 0x7F ? static_cast<unsigned short>(b) : flatMap<sjisToUcs2Table>()[b];
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

    void bulk(const In*& in, const In* inEnd, Out*& out, Out* outEnd) {
        static const SjisBlockDecoder blocks(flatMap<cp932ToUcs2Table>(), kindOf, singleOf);
        blocks.run(in, inEnd, out, outEnd);
    }

private:
    static SjisBlockDecoder::Kind kindOf(unsigned b) {
        return b < 0x80 || jcodeP(b, kJcodeKana) ? SjisBlockDecoder::kSingle : SjisBlockDecoder::kLead;
    }
    static unsigned short singleOf(unsigned b) {
        return b < 0x20 || b == 0x7F ? static_cast<unsigned short>(b) : flatMap<cp932ToUcs2Table>()[b];
    }
};

class FromSjisToUcs2 final : public StepCodecIFilter<SjisToUcs2Codec> {};
class FromCp932ToUcs2 final : public StepCodecIFilter<Cp932ToUcs2Codec> {};

} // namespace CCC
