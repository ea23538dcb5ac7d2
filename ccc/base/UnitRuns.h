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
