#pragma once

#include <bit>
#include <cstddef>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CCC {

// Narrows the leading run of 16-bit units below 0x80 in [in, inEnd) to
// bytes at out, as far as both ranges allow; with stopAtLf it also stops
// before an LF (10). Advances in and out past what it copied. Eight units
// a step: markup and Latin text come in long ASCII runs.
inline void narrowAsciiRun(const unsigned short*& in, const unsigned short* inEnd, char*& out, const char* outEnd,
                           bool stopAtLf) {
    const unsigned short* ip = in;
    char* op = out;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i lf = _mm_set1_epi16(stopAtLf ? 10 : -1);
    const __m128i zero = _mm_setzero_si128();
    while (inEnd - ip >= 8 && outEnd - op >= 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ip));
        const __m128i ascii = _mm_andnot_si128(_mm_cmpeq_epi16(v, lf), _mm_cmpeq_epi16(_mm_and_si128(v, high), zero));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(ascii));
        // All eight bytes are stored; only the ASCII prefix counts.
        _mm_storel_epi64(reinterpret_cast<__m128i*>(op), _mm_packus_epi16(v, v));
        if (mask != 0xFFFF) {
            const int n = std::countr_zero(~mask) / 2;
            ip += n;
            op += n;
            in = ip;
            out = op;
            return;
        }
        ip += 8;
        op += 8;
    }
#endif
    while (ip < inEnd && op < outEnd && *ip < 0x80 && !(stopAtLf && *ip == 10)) *op++ = static_cast<char>(*ip++);
    in = ip;
    out = op;
}

// Block steps: each converts a whole block of a run, stores all of it, and
// returns how many leading units of the block belong to the run; only those
// count, the rest of what it stored is overwritten later. The caller's own
// loop takes what is left. Without SSE2 there are none (kBlockSteps false):
// the callers' loops give the same units, one at a time.
#if defined(__SSE2__)
inline constexpr bool kBlockSteps = true;

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
#else
inline constexpr bool kBlockSteps = false;

inline int widenAsciiSixteen(const char*, unsigned short*) { return 0; }
#endif

// Repeats a block step of kUnits characters, kIn source and kOut output
// units each, while the next block's reach fits (inReach source units read,
// outReach output units stored); a block converted only in part ends it.
// False when it converted nothing (always, without the blocks). A whole
// block advances by a constant on a branch of its own: the next load then
// need not wait for the count.
template <int kUnits, int kIn, int kOut, int inReach, int outReach, class In, class Out, class Step>
bool repeatBlocks(const In*& in, const In* inEnd, Out*& out, const Out* outEnd, Step step) {
    if (!kBlockSteps || inEnd - in < inReach || outEnd - out < outReach) return false;
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

// Whether keep(unit) holds for all sixteen units from p: a loop without an
// early exit, which the compiler turns into vector code.
template <class In, class Keep>
bool keepsSixteen(const In* p, Keep keep) {
    using U = std::make_unsigned_t<In>;
    unsigned int refused = 0;
    for (int j = 0; j < 16; ++j) refused |= !keep(static_cast<U>(p[j]));
    return !refused;
}

// How many leading units of in[0, n) keep(unit) holds for, sixteen at a time.
template <class In, class Keep>
std::size_t countWhile(const In* in, std::size_t n, Keep keep) {
    using U = std::make_unsigned_t<In>;
    std::size_t i = 0;
    while (n - i >= 16 && keepsSixteen(in + i, keep)) i += 16;
    while (i < n && keep(static_cast<U>(in[i]))) ++i;
    return i;
}

// Converts the leading units of in[0, n) into out while keep(unit) holds
// and returns how many, sixteen at a time.
template <class In, class Out, class Keep>
std::size_t convertWhile(const In* in, std::size_t n, Out* out, Keep keep) {
    using U = std::make_unsigned_t<In>;
    std::size_t i = 0;
    for (; n - i >= 16 && keepsSixteen(in + i, keep); i += 16)
        for (int j = 0; j < 16; ++j) out[i + j] = static_cast<Out>(static_cast<U>(in[i + j]));
    for (; i < n && keep(static_cast<U>(in[i])); ++i) out[i] = static_cast<Out>(static_cast<U>(in[i]));
    return i;
}

} // namespace CCC
