#pragma once

#include "../base/UnitRuns.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CCC::utf8blocks {

// The block step of the UTF-8 encoder for runs of kana and kanji
// (U+0800-U+FFFF, three bytes each), a step for repeatBlocks (UnitRuns.h).
// Without SSE2 there is none: the encoder's loop gives the same bytes, one
// character at a time.
#if defined(__SSE2__)
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
inline int encodeThreeByteEight(const unsigned short*, char*) { return 0; }
#endif

} // namespace CCC::utf8blocks
