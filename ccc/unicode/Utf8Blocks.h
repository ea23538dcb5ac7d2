#pragma once

#include <array>
#include <cstdint>

#include "../base/UnitRuns.h"

// Block steps of the UTF-8 codecs for kana, kanji and the markup between
// them: the decoders' for runs of three-byte sequences (see repeatBlocks,
// UnitRuns.h), the encoder's for any mix of widths. For loops compiled for
// SSSE3 and taken when the processor has it (ssse3P); elsewhere the codecs'
// own loops give the same units, one character at a time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#include <tmmintrin.h>
#define CCC_SSSE3_BLOCKS 1
#endif

namespace CCC::utf8blocks {

#if defined(CCC_SSSE3_BLOCKS)
// Whether the processor has SSSE3: one CPUID leaf, asked once.
// __builtin_cpu_supports would link the compiler's processor survey, a
// constructor that runs a dozen CPUID leaves at every start (each one a trap
// to the hypervisor on a virtual machine) for this single bit.
inline bool ssse3P() {
    static const bool has = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_SSSE3) != 0;
    }();
    return has;
}

// The decoders' step: eight three-byte sequences at in (a lead 1x10xxxx, as
// the decoders class it, and any two bytes; it reads 28 bytes) as eight
// units at out; the count of leading sequences with such a lead.
[[gnu::target("ssse3")]] inline int decodeThreeByteEight(const char* in, unsigned short* out) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 12));
    // Of the four sequences of each twelve bytes loaded: each lead byte in a
    // 16-bit lane (lanes 0-3 from a, 4-7 from b), and each pair of
    // continuation bytes in one, the first byte high.
    const __m128i leads =
        _mm_or_si128(_mm_shuffle_epi8(a, _mm_setr_epi8(0, -1, 3, -1, 6, -1, 9, -1, -1, -1, -1, -1, -1, -1, -1, -1)),
                     _mm_shuffle_epi8(b, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, 0, -1, 3, -1, 6, -1, 9, -1)));
    const __m128i tails =
        _mm_or_si128(_mm_shuffle_epi8(a, _mm_setr_epi8(2, 1, 5, 4, 8, 7, 11, 10, -1, -1, -1, -1, -1, -1, -1, -1)),
                     _mm_shuffle_epi8(b, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, 2, 1, 5, 4, 8, 7, 11, 10)));
    // (lead & 0x0F) << 12 | (second & 0x3F) << 6 | (third & 0x3F)
    const __m128i units =
        _mm_or_si128(_mm_slli_epi16(leads, 12),
                     _mm_or_si128(_mm_srli_epi16(_mm_and_si128(tails, _mm_set1_epi16(0x3F00)), 2),
                                  _mm_and_si128(tails, _mm_set1_epi16(0x3F))));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), units);
    const __m128i threeByteLeads = _mm_cmpeq_epi16(_mm_and_si128(leads, _mm_set1_epi16(0xB0)), _mm_set1_epi16(0xA0));
    return leadingLanes(static_cast<unsigned>(_mm_movemask_epi8(threeByteLeads)), 2);
}

// The bytes four units take in UTF-8 and, for each, its place in their
// four 32-bit lanes (see encodeMixedEight). Indexed by the units' classes,
// two bits each from the lowest: bit 0 the unit is ASCII, bit 1 it takes at
// most two bytes. A unit's lane holds (ASCII byte, last byte, three-byte
// lead, two-byte lead or middle byte).
struct MixedPack {
    std::uint8_t length;
    std::int8_t shuffle[16];
};
inline constexpr std::array<MixedPack, 256> kMixedPacks = [] {
    std::array<MixedPack, 256> packs{};
    for (int classes = 0; classes < 256; ++classes) {
        MixedPack& p = packs[static_cast<std::size_t>(classes)];
        for (std::int8_t& lane : p.shuffle) lane = -1;
        int n = 0;
        for (int unit = 0; unit < 4; ++unit) {
            const int lane = 4 * unit;
            const bool ascii = (classes >> (2 * unit)) & 1;
            const bool upToTwo = (classes >> (2 * unit + 1)) & 1;
            if (ascii) {
                p.shuffle[n++] = static_cast<std::int8_t>(lane);
            } else if (upToTwo) {
                p.shuffle[n++] = static_cast<std::int8_t>(lane + 3);
                p.shuffle[n++] = static_cast<std::int8_t>(lane + 1);
            } else {
                p.shuffle[n++] = static_cast<std::int8_t>(lane + 2);
                p.shuffle[n++] = static_cast<std::int8_t>(lane + 3);
                p.shuffle[n++] = static_cast<std::int8_t>(lane + 1);
            }
        }
        p.length = static_cast<std::uint8_t>(n);
    }
    return packs;
}();

// The encoder's step for any mix of one-, two- and three-byte characters
// (XHTML of Japanese text changes between them every few units): eight
// units at in, at most 24 bytes at out (it stores 28); the bytes written,
// or -1 when a unit is a surrogate (nothing counts then). With crLf an LF
// is written as CR LF. Each unit becomes one 32-bit lane holding every
// byte it may need, from which a shuffle per four units, looked up by
// their classes, picks its bytes.
[[gnu::target("ssse3")]] inline int encodeMixedEight(const unsigned short* in, char* out, bool crLf) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i top = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xF800)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(top, _mm_set1_epi16(static_cast<short>(0xD800))))) return -1;
    __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF80))), _mm_setzero_si128());
    const __m128i upToTwo = _mm_cmpeq_epi16(top, _mm_setzero_si128());
    // Low byte: the unit as ASCII (0ccccccc); high byte: the last byte of a
    // longer character (10cccccc), both from the unit's low byte.
    const __m128i lowTwice = _mm_shuffle_epi8(v, _mm_setr_epi8(0, 0, 2, 2, 4, 4, 6, 6, 8, 8, 10, 10, 12, 12, 14, 14));
    __m128i asciiAndLast =
        _mm_or_si128(_mm_and_si128(lowTwice, _mm_set1_epi16(0x3F7F)), _mm_set1_epi16(static_cast<short>(0x8000)));
    // Low byte: a three-byte lead (1110aaaa); high byte: the bits above the
    // last six (bbbbbb) as a two-byte lead (110bbbbb) or, for three bytes,
    // as the middle byte (10bbbbbb). The multiply-add moves bits 6-11 up to
    // the high byte and bits 12-15 down to the low one.
    const __m128i upper = _mm_maddubs_epi16(_mm_and_si128(_mm_srli_epi16(v, 4), _mm_set1_epi16(0x0FFC)),
                                            _mm_set1_epi16(0x0140));
    __m128i leads = _mm_xor_si128(_mm_or_si128(upper, _mm_set1_epi16(static_cast<short>(0xC0E0))),
                                  _mm_andnot_si128(upToTwo, _mm_set1_epi16(0x4000)));
    if (crLf) {
        // An LF takes two bytes, as a two-byte character would: its lead
        // byte CR, its last byte LF.
        const __m128i lf = _mm_cmpeq_epi16(v, _mm_set1_epi16(10));
        const __m128i high = _mm_and_si128(lf, _mm_set1_epi16(static_cast<short>(0xFF00)));
        ascii = _mm_andnot_si128(lf, ascii);
        asciiAndLast = _mm_or_si128(_mm_andnot_si128(high, asciiAndLast), _mm_and_si128(lf, _mm_set1_epi16(0x0A00)));
        leads = _mm_or_si128(_mm_andnot_si128(high, leads), _mm_and_si128(lf, _mm_set1_epi16(0x0D00)));
    }
    const unsigned classes = (static_cast<unsigned>(_mm_movemask_epi8(ascii)) & 0x5555) |
                             (static_cast<unsigned>(_mm_movemask_epi8(upToTwo)) & 0xAAAA);
    const MixedPack& first = kMixedPacks[classes & 0xFF];
    const MixedPack& second = kMixedPacks[classes >> 8];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_shuffle_epi8(_mm_unpacklo_epi16(asciiAndLast, leads),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(first.shuffle))));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + first.length),
                     _mm_shuffle_epi8(_mm_unpackhi_epi16(asciiAndLast, leads),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(second.shuffle))));
    return first.length + second.length;
}

#endif

} // namespace CCC::utf8blocks
