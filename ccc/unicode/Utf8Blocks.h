#pragma once

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CCC::utf8blocks {

// Block steps of the UTF-8 codecs for the common runs of Japanese text:
// ASCII, and kana and kanji (U+0800-U+FFFF, three bytes each). Each one
// converts a whole block, stores all of it, and returns how many leading
// units of the block belong to the run: only those count, the rest of what
// it stored is overwritten later. The codec's own loop takes what is left.
// Without SSE2 there are no blocks: the codecs' loops give the same bytes,
// one character at a time.
#if defined(__SSE2__)
inline constexpr bool kEnabled = true;

// How many leading lanes a byte mask flags, each lane bytesPerLane bytes.
inline int leadingLanes(unsigned mask, int bytesPerLane) { return std::countr_one(mask) / bytesPerLane; }

// Sixteen bytes at in widened to sixteen units at out; the count of leading
// bytes below 0x80.
inline int widenAsciiSixteen(const char* in, unsigned short* out) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(v, zero));
    return leadingLanes(~static_cast<unsigned>(_mm_movemask_epi8(v)) & 0xFFFF, 1);
}

// Eight units at in as three bytes each at out (it stores 26 bytes); the
// count of leading units that are U+0800-U+FFFF and no surrogate.
inline int encodeThreeByteEight(const unsigned short* in, char* out) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i top = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xF800)));
    const __m128i refused = _mm_or_si128(_mm_cmpeq_epi16(top, _mm_setzero_si128()),
                                         _mm_cmpeq_epi16(top, _mm_set1_epi16(static_cast<short>(0xD800))));
    // Per unit: lead and first continuation byte in one 16-bit lane, the
    // last byte in another; interleaved, each unit is one 32-bit lane b0 b1 b2 0.
    const __m128i leadPair = _mm_or_si128(
        _mm_or_si128(_mm_srli_epi16(v, 12), _mm_and_si128(_mm_slli_epi16(v, 2), _mm_set1_epi16(0x3F00))),
        _mm_set1_epi16(static_cast<short>(0x80E0)));
    const __m128i last = _mm_or_si128(_mm_and_si128(v, _mm_set1_epi16(0x3F)), _mm_set1_epi16(0x80));
    // Two units per 64-bit lane close up to six bytes; each lane is stored
    // by itself, the next store overwriting its two trailing zeros.
    const __m128i low24 = _mm_set1_epi64x(0xFFFFFF);
    const __m128i next24 = _mm_set1_epi64x(0xFFFFFF000000);
    auto closeUp = [&](__m128i x) {
        return _mm_or_si128(_mm_and_si128(x, low24), _mm_and_si128(_mm_srli_epi64(x, 8), next24));
    };
    const __m128i a = closeUp(_mm_unpacklo_epi16(leadPair, last));
    const __m128i b = closeUp(_mm_unpackhi_epi16(leadPair, last));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), a);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 6), _mm_unpackhi_epi64(a, a));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 12), b);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 18), _mm_unpackhi_epi64(b, b));
    return leadingLanes(~static_cast<unsigned>(_mm_movemask_epi8(refused)) & 0xFFFF, 2);
}

#else
inline constexpr bool kEnabled = false;

inline int widenAsciiSixteen(const char*, unsigned short*) { return 0; }
inline int encodeThreeByteEight(const unsigned short*, char*) { return 0; }
#endif

// Repeats a block step of kUnits characters, kIn source and kOut output
// units each, while the next block's reach fits (inReach source units read,
// outReach output units stored); a block converted only in part ends it.
// False when it converted nothing (always, without the blocks). A whole
// block advances by a constant on a branch of its own: the next load then
// need not wait for the count.
template <int kUnits, int kIn, int kOut, int inReach, int outReach, class In, class Out, class Step>
bool repeatBlocks(const In*& in, const In* inEnd, Out*& out, const Out* outEnd, Step step) {
    if (!kEnabled || inEnd - in < inReach || outEnd - out < outReach) return false;
    const In* const start = in;
    do {
        const int k = step(in, out);
        if (k != kUnits) [[unlikely]] {
            in += kIn * k;
            out += kOut * k;
            break;
        }
        in += kIn * kUnits;
        out += kOut * kUnits;
    } while (inEnd - in >= inReach && outEnd - out >= outReach);
    return in != start;
}

} // namespace CCC::utf8blocks
