#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "../base/UnitRuns.h"
#include "../flow/CrLfSource.h"
#include "../flow/StepCodecIFilter.h"
#include "SurrogateFilters.h"
#include "Utf8Blocks.h"

namespace CCC {

namespace utf8detail {
constexpr std::uint64_t kHighBits8 = 0x8080808080808080ull;
constexpr std::uint64_t kHighBits16 = 0xFF80FF80FF80FF80ull;
}

// UTF-8 to 16-bit units. The lead byte decides the length; continuation
// bytes are taken as they come. A four-byte sequence is dropped, or, with
// kPairs, becomes a surrogate pair when it is 0x10000-0x10FFFF. With
// kDropMark a U+FEFF that would be the first unit delivered is dropped.
template <bool kPairs, bool kDropMark>
struct Utf8DecodeCodec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 2;

    int step(StepCursor<In>& in, Out* out) {
        char c[4];
        if (!in.next(c[0])) return -1;
        unsigned int b = static_cast<unsigned char>(c[0]);
        unsigned int v;
        if (b < 0x80) {
            v = b;
        } else if (!(b & 0x20)) {
            if (!in.next(c[1])) return -1;
            v = ((b & 0x1F) << 6) | (c[1] & 0x3F);
        } else if (!(b & 0x10)) {
            if (!in.next(c[1]) || !in.next(c[2])) return -1;
            v = (((b & 0x0F) << 12) | ((c[1] & 0x3F) << 6) | (c[2] & 0x3F)) & 0xFFFF;
        } else {
            if (!in.next(c[1]) || !in.next(c[2]) || !in.next(c[3])) return -1;
            if (!kPairs) return 0;
            v = ((b & 0x07) << 18) | ((c[1] & 0x3F) << 12) | ((c[2] & 0x3F) << 6) | (c[3] & 0x3F);
            if (v < 0x10000 || v > 0x10FFFF) return 0;
            fresh_ = false;
            v -= 0x10000;
            out[0] = static_cast<unsigned short>(0xD800 + (v >> 10));
            out[1] = static_cast<unsigned short>(0xDC00 + (v & 0x3FF));
            return 2;
        }
        if (fresh_) {
            fresh_ = false;
            if (v == 0xFEFF) return 0;
        }
        out[0] = static_cast<unsigned short>(v);
        return 1;
    }

    // Whole sequences while they fit; ASCII sixteen or eight bytes at a time,
    // and runs of three-byte sequences eight at a time where the processor
    // has the instructions for it.
    void bulk(const char*& in, const char* inEnd, unsigned short*& out, unsigned short* outEnd) {
        if (fresh_) return;
#if defined(CCC_SSSE3_BLOCKS)
        if (utf8blocks::ssse3P()) return bulkSsse3(in, inEnd, out, outEnd);
#endif
        loop<false>(in, inEnd, out, outEnd);
    }
    void reset() { fresh_ = kDropMark; }

private:
#if defined(CCC_SSSE3_BLOCKS)
    [[gnu::target("ssse3")]] static void bulkSsse3(const char*& in, const char* inEnd, unsigned short*& out,
                                                   unsigned short* outEnd) {
        loop<true>(in, inEnd, out, outEnd);
    }
#endif

    // The loop of bulk, with or without the SSSE3 block step.
    template <bool kSsse3Blocks>
    [[gnu::always_inline]] static void loop(const char*& in, const char* inEnd, unsigned short*& out,
                                            unsigned short* outEnd) {
        const char* ip = in;
        unsigned short* op = out;
        while (ip < inEnd && op < outEnd) {
            unsigned int b = static_cast<unsigned char>(*ip);
            if (b < 0x80) {
                if (repeatBlocks<16, 1, 1, 16, 16>(ip, inEnd, op, outEnd, widenAsciiSixteen))
                    continue;
                while (inEnd - ip >= 8 && outEnd - op >= 8) {
                    std::uint64_t w;
                    std::memcpy(&w, ip, 8);
                    if (w & utf8detail::kHighBits8) break;
                    for (int j = 0; j < 8; ++j) op[j] = static_cast<unsigned short>(ip[j]);
                    ip += 8;
                    op += 8;
                }
                if (ip < inEnd && op < outEnd && !(*ip & 0x80)) *op++ = static_cast<unsigned short>(*ip++);
                continue;
            }
            if (!(b & 0x20)) {
                if (inEnd - ip < 2) break;
                *op++ = static_cast<unsigned short>(((b & 0x1F) << 6) | (ip[1] & 0x3F));
                ip += 2;
            } else if (!(b & 0x10)) {
                if (inEnd - ip < 3) break;
#if defined(CCC_SSSE3_BLOCKS)
                if constexpr (kSsse3Blocks) {
                    if (repeatBlocks<8, 3, 1, 28, 8>(ip, inEnd, op, outEnd, utf8blocks::decodeThreeByteEight))
                        continue;
                }
#endif
                // Kana and kanji come in runs of three-byte sequences: the
                // room for the run is reckoned once.
                unsigned short* const stop = op + std::min<std::size_t>((inEnd - ip) / 3, outEnd - op);
                do {
                    const unsigned int lead = static_cast<unsigned char>(ip[0]);
                    *op++ = static_cast<unsigned short>(((lead & 0x0F) << 12) | ((ip[1] & 0x3F) << 6) | (ip[2] & 0x3F));
                    ip += 3;
                } while (op != stop && (static_cast<unsigned char>(*ip) & 0xB0) == 0xA0);
            } else {
                if (inEnd - ip < 4) break;
                if (kPairs) {
                    unsigned int v = ((b & 0x07) << 18) | ((ip[1] & 0x3F) << 12) | ((ip[2] & 0x3F) << 6) |
                                     (ip[3] & 0x3F);
                    if (v >= 0x10000 && v <= 0x10FFFF) {
                        if (outEnd - op < 2) break;
                        v -= 0x10000;
                        op[0] = static_cast<unsigned short>(0xD800 + (v >> 10));
                        op[1] = static_cast<unsigned short>(0xDC00 + (v & 0x3FF));
                        op += 2;
                    }
                }
                ip += 4;
            }
        }
        in = ip;
        out = op;
    }

    bool fresh_ = kDropMark;
};

// 16-bit units to UTF-8 (one, two or three bytes); a high surrogate
// followed by a low one becomes one four-byte sequence. A lone surrogate has
// no UTF-8 form and is dropped by itself: the unit after a lone high one may
// be a quote or a '<' and must survive. With mark set, EF BB BF comes first.
// With the CR LF expansion set (CrLfSource) an LF is written as CR LF.
struct Utf8EncodeCodec {
    using In = unsigned short;
    using Out = char;
    static constexpr int kMaxOut = 4;

    explicit Utf8EncodeCodec(bool mark) : mark_(mark), owed_(mark) {}

    int step(StepCursor<In>& in, Out* out) {
        if (owed_) {
            owed_ = false;
            out[0] = '\xEF';
            out[1] = '\xBB';
            out[2] = '\xBF';
            return 3;
        }
        unsigned short u;
        if (!in.next(u)) return -1;
        if (u < 0x80) return putAsciiUnit(u, crLf_, out);
        if (u < 0x800) {
            out[0] = static_cast<char>(0xC0 | (u >> 6));
            out[1] = static_cast<char>(0x80 | (u & 0x3F));
            return 2;
        }
        if (surrogateP(u)) {
            unsigned short low;
            if (!highSurrogateP(u)) return 0;
            if (!in.next(low)) return -1;
            if (!lowSurrogateP(low)) {
                in.unread();
                return 0;
            }
            putFour(0x10000u + ((u - 0xD800u) << 10) + (low - 0xDC00u), out);
            return 4;
        }
        putThree(u, out);
        return 3;
    }

    // Whole characters while they fit; ASCII runs eight units at a time,
    // any mix of widths eight units at a time where no surrogate is among
    // them.
    void bulk(const unsigned short*& in, const unsigned short* inEnd, char*& out, char* outEnd) {
        if (owed_) return;
#if defined(CCC_SSSE3_BLOCKS)
        if (utf8blocks::ssse3P()) return bulkSsse3(in, inEnd, out, outEnd);
#endif
        loop<false>(in, inEnd, out, outEnd);
    }
    void reset() { owed_ = mark_; }
    bool crLfP() const { return crLf_; }
    void setCrLf() { crLf_ = true; }

private:
#if defined(CCC_SSSE3_BLOCKS)
    [[gnu::target("ssse3")]] void bulkSsse3(const unsigned short*& in, const unsigned short* inEnd, char*& out,
                                            char* outEnd) {
        loop<true>(in, inEnd, out, outEnd);
    }
#endif

    // The loop of bulk, with or without the SSSE3 block step.
    template <bool kSsse3Blocks>
    [[gnu::always_inline]] void loop(const unsigned short*& in, const unsigned short* inEnd, char*& out,
                                     char* outEnd) {
        const unsigned short* ip = in;
        char* op = out;
        while (ip < inEnd) {
            narrowAsciiRun(ip, inEnd, op, outEnd, crLf_);
            if (ip == inEnd || outEnd - op < 4) break;
#if defined(CCC_SSSE3_BLOCKS)
            // Mixed text eight units at a time, up to a surrogate, taken
            // one by one below.
            if constexpr (kSsse3Blocks) {
                const unsigned short* const start = ip;
                while (inEnd - ip >= 8 && outEnd - op >= kMixedReach) {
                    const int n = utf8blocks::encodeMixedEight(ip, op, crLf_);
                    if (n < 0) break;
                    ip += 8;
                    op += n;
                }
                if (ip != start) continue;
            }
#endif
            unsigned int u = *ip;
            if (u < 0x80) {  // an LF to expand
                op += putAsciiUnit(u, crLf_, op);
                ++ip;
            } else if (u < 0x800) {
                op[0] = static_cast<char>(0xC0 | (u >> 6));
                op[1] = static_cast<char>(0x80 | (u & 0x3F));
                op += 2;
                ++ip;
            } else if (surrogateP(u)) {
                if (highSurrogateP(u) && inEnd - ip < 2) break;  // its partner may be in the next block
                unsigned int low = highSurrogateP(u) ? ip[1] : 0;
                if (!lowSurrogateP(low)) {
                    ++ip;
                    continue;
                }
                ip += 2;
                putFour(0x10000u + ((u - 0xD800u) << 10) + (low - 0xDC00u), op);
                op += 4;
            } else {
                // Runs of three-byte characters (kana and kanji) stay here,
                // one by one to the end of the run, the room for which is
                // reckoned once; each character is stored as one word whose
                // fourth byte the next overwrites.
                const unsigned short* const stop = ip + std::min<std::size_t>(inEnd - ip, (outEnd - op - 1) / 3);
                do {
                    if constexpr (std::endian::native == std::endian::little) {
                        const std::uint32_t w = (0xE0 | (u >> 12)) | (0x80 | ((u >> 6) & 0x3F)) << 8 | (0x80 | (u & 0x3F)) << 16;
                        std::memcpy(op, &w, 4);
                    } else {
                        putThree(u, op);
                    }
                    op += 3;
                    ++ip;
                } while (ip != stop && (u = *ip) >= 0x800 && !surrogateP(u));
            }
        }
        in = ip;
        out = op;
    }

    // What encodeMixedEight stores beyond its output's start.
    static constexpr std::ptrdiff_t kMixedReach = 28;

    static void putThree(unsigned int u, char* out) {
        out[0] = static_cast<char>(0xE0 | (u >> 12));
        out[1] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (u & 0x3F));
    }
    static void putFour(unsigned int v, char* out) {
        out[0] = static_cast<char>(0xF0 | (v >> 18));
        out[1] = static_cast<char>(0x80 | ((v >> 12) & 0x3F));
        out[2] = static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        out[3] = static_cast<char>(0x80 | (v & 0x3F));
    }

    bool mark_;
    bool owed_;
    bool crLf_ = false;
};

class FromUtf8NToUcs2 : public StepCodecIFilter<Utf8DecodeCodec<false, false>> {};
class FromUtf8ToUtf16N : public StepCodecIFilter<Utf8DecodeCodec<true, true>> {};

// UCS-2 holds surrogates only when it came from UTF-7, which carries UTF-16:
// they pair as in UTF-16, since one by one they would not be UTF-8.
class FromUcs2ToUtf8N : public CrLfStepCodecIFilter<Utf8EncodeCodec> {
public:
    FromUcs2ToUtf8N() : CrLfStepCodecIFilter(false) {}
};
class FromUtf16NToUtf8 : public CrLfStepCodecIFilter<Utf8EncodeCodec> {
public:
    FromUtf16NToUtf8() : CrLfStepCodecIFilter(true) {}
};
class FromUtf16NToUtf8N : public CrLfStepCodecIFilter<Utf8EncodeCodec> {
public:
    FromUtf16NToUtf8N() : CrLfStepCodecIFilter(false) {}
};

} // namespace CCC
