#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "../base/UnitRuns.h"
#include "../flow/CrLfSource.h"
#include "../flow/StepCodecIFilter.h"
#include "Iso2022JpDesignation.h"
#include "JapaneseCodeTables.h"

namespace CCC {

// UCS-2 -> Shift_JIS or cp932 (Table says which). Controls pass as bytes;
// characters the table lacks are dropped. With the CR LF expansion set
// (CrLfSource) an LF is written as CR LF.
template <const BitmapTrie& Table>
struct Ucs2ToSjisCodec {
    using In = unsigned short;
    using Out = char;
    static constexpr int kMaxOut = 2;

    void reset() {}
    bool crLfP() const { return crLf_; }
    void setCrLf() { crLf_ = true; }

    int step(StepCursor<In>& in, Out* out) {
        for (int u = in.next(); u >= 0; u = in.next()) {
            if (const int k = put(static_cast<unsigned>(u), out, placedBytes())) return k;
        }
        return -1;
    }

    // Whole characters while they fit; where the table keeps ASCII as it
    // is (cp932), ASCII runs go eight units at a time. Runs from U+0080 up
    // (kana and kanji) hold no control: each is one table look-up, the
    // room for the run reckoned once.
    void bulk(const In*& in, const In* inEnd, Out*& out, Out* outEnd) {
        static const bool asciiKept = asciiKeptP();
        const std::uint32_t* const map = placedBytes();
        const In* ip = in;
        Out* op = out;
        while (ip < inEnd) {
            if (asciiKept && *ip < 0x80) narrowAsciiRun(ip, inEnd, op, outEnd, crLf_);
            if (ip == inEnd || outEnd - op < 2) break;
            if (*ip < 0x80) {
                op += put(*ip++, op, map);
                continue;
            }
            const In* const stop = ip + std::min<std::size_t>(inEnd - ip, (outEnd - op) / 2);
            do {
                op += putPlaced(map[*ip++], op);
            } while (ip != stop && *ip >= 0x80);
        }
        in = ip;
        out = op;
    }

private:
    // The bytes of u at out: how many (0 for a character the table lacks).
    int put(unsigned u, Out* out, const std::uint32_t* map) const {
        if (u < 0x20 || u == 0x7F) return putAsciiUnit(u, crLf_, out);
        return putPlaced(map[u], out);
    }
    // An entry of placedBytes() at out: two bytes stored, as many counted as
    // the character has. No branch: one- and two-byte characters alternate
    // unpredictably in Japanese text.
    static int putPlaced(std::uint32_t placed, Out* out) {
        const auto bytes = static_cast<std::uint16_t>(placed);
        std::memcpy(out, &bytes, 2);
        return static_cast<int>(placed >> 16);
    }
    // Per unit, the table's bytes as they lie in the output (low 16 bits)
    // and their count (above: 0 for a character the table lacks).
    static const std::uint32_t* placedBytes() {
        static const std::unique_ptr<std::uint32_t[]> placed = [] {
            std::unique_ptr<std::uint32_t[]> p(new std::uint32_t[0x10000]);
            for (unsigned u = 0; u < 0x10000; ++u) {
                const unsigned v = Table.lookup(u);
                const bool two = v > 0xFF;
                const char b[2] = {static_cast<char>(two ? v >> 8 : v), static_cast<char>(two ? v & 0xFF : 0)};
                std::uint16_t bytes;
                std::memcpy(&bytes, b, 2);
                p[u] = v == BitmapTrie::kUnmapped ? 0 : bytes | (two ? 2u : 1u) << 16;
            }
            return p;
        }();
        return placed.get();
    }

    static bool asciiKeptP() {
        for (unsigned u = 0x20; u < 0x7F; ++u)
            if (Table.lookup(u) != u) return false;
        return true;
    }

    bool crLf_ = false;
};

// UCS-2 -> EUC-JP: ASCII, JIS X 0208 pairs with the high bits set,
// half-width katakana behind 0x8E; other characters the table lacks are
// dropped (U+0080 too: a lone 0x80 is no EUC-JP).
struct Ucs2ToEucJpCodec {
    using In = unsigned short;
    using Out = char;
    static constexpr int kMaxOut = 2;

    void reset() {}

    int step(StepCursor<In>& in, Out* out) {
        for (int u = in.next(); u >= 0; u = in.next()) {
            if (u < 0x80) {
                out[0] = static_cast<Out>(u);
                return 1;
            }
            if (u == 0x203E || u == 0x00A5) {
                out[0] = u == 0x203E ? 0x7E : 0x5C;
                return 1;
            }
            unsigned v = ucs2ToEucJpTable.lookup(static_cast<unsigned>(u));
            if (v != BitmapTrie::kUnmapped) {
                out[0] = static_cast<Out>(v >> 8 | 0x80);
                out[1] = static_cast<Out>((v & 0xFF) | 0x80);
                return 2;
            }
            if (u >= 0xFF61 && u <= 0xFF9F) {
                out[0] = static_cast<Out>(0x8E);
                out[1] = static_cast<Out>(u - 0xFEC0);
                return 2;
            }
        }
        return -1;
    }
};

// UCS-2 -> ISO-2022-JP: ASCII, JIS-Roman for the yen sign and overline,
// JIS X 0208-1983 for the rest; the output ends designating ASCII. ESC, SO
// and SI are dropped: written as text they would switch the reader's
// character set and garble what follows.
struct Ucs2ToIso2022JpCodec {
    using In = unsigned short;
    using Out = char;
    static constexpr int kMaxOut = Iso2022JpDesignation::kEscapeLength + 2;

    void reset() { g0.reset(); }

    int step(StepCursor<In>& in, Out* out) {
        for (int u = in.next(); u >= 0; u = in.next()) {
            if (u < 0x80) {
                if (iso2022ShiftP(u)) continue;
                return g0.put(Iso2022JpDesignation::kAscii, static_cast<unsigned>(u), out);
            }
            unsigned v = ucs2ToIso2022JpTable.lookup(static_cast<unsigned>(u));
            if (v == BitmapTrie::kUnmapped) continue;
            if (v >= 0x100) return g0.put(Iso2022JpDesignation::kJis1983, v, out);
            if (v < 0x80) return g0.put(Iso2022JpDesignation::kJisRoman, v, out);
        }
        return g0.close(out);
    }

    Iso2022JpDesignation g0;
};

class FromUcs2ToSjis final : public CrLfStepCodecIFilter<Ucs2ToSjisCodec<ucs2ToSjisTable>> {};
class FromUcs2ToCp932 final : public CrLfStepCodecIFilter<Ucs2ToSjisCodec<ucs2ToCp932Table>> {};
class FromUcs2ToEucJp final : public StepCodecIFilter<Ucs2ToEucJpCodec> {};
class FromUcs2ToIso2022Jp final : public StepCodecIFilter<Ucs2ToIso2022JpCodec> {};

} // namespace CCC
