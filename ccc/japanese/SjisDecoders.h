#pragma once

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "../base/UnitRuns.h"
#include "../flow/StepCodecIFilter.h"
#include "JapaneseCodeTables.h"
#include "JcodeTable.h"

namespace CCC {

// The decoding shared by Shift_JIS and cp932, unit and block path alike:
// what each byte value is, and one flat table indexed by a byte and the byte
// after it, holding a pair's unit for a lead byte and the byte's own unit
// (whatever follows) for a single byte. Both are worked out once from the
// decoder's rules (kindOf, singleOf) and the code table. A character is then
// one look-up of its kind and one of its unit.
class SjisTableDecoder {
public:
    enum Kind : unsigned char { kSingle, kLead, kSkipped };

    template <class KindOf, class SingleOf>
    SjisTableDecoder(const BitmapTrie& pairs, KindOf kindOf, SingleOf singleOf) : pairs_(pairs) {
        asciiKept_ = true;
        for (unsigned b = 0; b < 256; ++b) {
            kind_[b] = kindOf(b);
            single_[b] = kind_[b] == kSingle ? singleOf(b) : 0;
            if (b < 0x80 && (kind_[b] != kSingle || single_[b] != b)) asciiKept_ = false;
        }
    }

    // The next character, skipping bytes that are none; -1 at the end.
    int step(StepCursor<char>& in, unsigned short* out) const {
        for (int b = in.next(); b >= 0; b = in.next()) {
            const unsigned kind = kind_[b];
            if (kind == kSkipped) continue;
            if (kind == kSingle) {
                out[0] = single_[b];
                return 1;
            }
            const int t = in.next();
            if (t < 0) return -1;
            out[0] = units()[static_cast<unsigned>(b << 8 | t)];
            return 1;
        }
        return -1;
    }

    // Whole characters while they fit, up to a byte that step() must see (a
    // skipped one, or a last byte by itself: it may lead a pair). The length
    // of a character is taken without a branch.
    void run(const char*& in, const char* inEnd, unsigned short*& out, const unsigned short* outEnd) const {
        // Text of single bytes only (the page skeleton) never needs the
        // pair table: it is built at the first other byte.
        const unsigned short* units = unitsReady_.load(std::memory_order_acquire);
        if (!units) {
            runSingles(in, inEnd, out, outEnd);
            if (in == inEnd || out == outEnd || kind_[static_cast<unsigned char>(*in)] != kLead) return;
            units = this->units();
        }
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
                if (kind == kSkipped) {
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
    void runSingles(const char*& in, const char* inEnd, unsigned short*& out, const unsigned short* outEnd) const {
        for (; in != inEnd && out != outEnd; ++in) {
            const unsigned b = static_cast<unsigned char>(*in);
            if (kind_[b] != kSingle) return;
            *out++ = single_[b];
        }
    }

    // A lead byte and its trail give the pair's unit; a single byte gives
    // its own unit whatever follows. Built at the first use, from the trie.
    const unsigned short* units() const {
        std::call_once(unitsBuilt_, [this] {
            units_.reset(new unsigned short[0x10000]);
            for (unsigned b = 0; b < 256; ++b) {
                unsigned short* row = units_.get() + (b << 8);
                if (kind_[b] == kLead)
                    for (unsigned t = 0; t < 256; ++t) row[t] = pairs_.lookup(b << 8 | t);
                else
                    std::fill_n(row, 256, single_[b]);
            }
            unitsReady_.store(units_.get(), std::memory_order_release);
        });
        return units_.get();
    }

    const BitmapTrie& pairs_;
    unsigned char kind_[256];
    unsigned short single_[256];
    bool asciiKept_;
    mutable std::once_flag unitsBuilt_;
    mutable std::unique_ptr<unsigned short[]> units_;
    mutable std::atomic<const unsigned short*> unitsReady_{nullptr};
};

// Controls (C0 and DEL) pass as they are; other single bytes go through the
// code table.
inline unsigned short sjisSingleOf(const BitmapTrie& table, unsigned b) {
    return b < 0x20 || b == 0x7F ? static_cast<unsigned short>(b) : table.lookup(b);
}

// A byte decoder of the Shift_JIS family as a step codec: Decoder() gives
// its table, built at the first use.
template <const SjisTableDecoder& (*Decoder)()>
struct SjisFamilyCodec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 1;

    void reset() {}
    int step(StepCursor<In>& in, Out* out) { return Decoder().step(in, out); }
    void bulk(const In*& in, const In* inEnd, Out*& out, Out* outEnd) { Decoder().run(in, inEnd, out, outEnd); }
};

// Shift_JIS -> UCS-2. Bytes that are neither characters nor lead bytes
// (0x80, 0xA0, 0xF0-0xFF) are skipped; the byte after a lead byte always
// belongs to it; an unmapped pair gives U+FFFF.
inline const SjisTableDecoder& sjisDecoder() {
    static const SjisTableDecoder d(
        sjisToUcs2Table,
        [](unsigned b) {
            if (b < 0x80 || jcodeP(b, kJcodeKana)) return SjisTableDecoder::kSingle;
            return sjisKanjiP(b) ? SjisTableDecoder::kLead : SjisTableDecoder::kSkipped;
        },
        [](unsigned b) { return sjisSingleOf(sjisToUcs2Table, b); });
    return d;
}

// cp932 -> UCS-2. Every byte from 0x80 up that is not half-width katakana
// leads a pair; unmapped pairs (user-defined area included) give U+FFFF.
inline const SjisTableDecoder& cp932Decoder() {
    static const SjisTableDecoder d(
        cp932ToUcs2Table,
        [](unsigned b) {
            return b < 0x80 || jcodeP(b, kJcodeKana) ? SjisTableDecoder::kSingle : SjisTableDecoder::kLead;
        },
        [](unsigned b) { return sjisSingleOf(cp932ToUcs2Table, b); });
    return d;
}

using SjisToUcs2Codec = SjisFamilyCodec<sjisDecoder>;
using Cp932ToUcs2Codec = SjisFamilyCodec<cp932Decoder>;

class FromSjisToUcs2 final : public StepCodecIFilter<SjisToUcs2Codec> {};
class FromCp932ToUcs2 final : public StepCodecIFilter<Cp932ToUcs2Codec> {};

} // namespace CCC
